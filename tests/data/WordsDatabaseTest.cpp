// SPDX-License-Identifier: GPL-3.0-or-later
// The delivered words6.db: tables, counts, word forms, authors, wordbooks,
// picture library and settings.
#include "BuiltData.h"

#include "common/GifFile.h"
#include "common/SourceFiles.h"
#include "db/SqlBlob.h"
#include "wordbooks/AuthorList.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

using builtdata::DeliveredWordsDb;
using builtdata::Number;
using builtdata::Rows;

TEST_F(DeliveredWordsDb, EveryTableHasTheColumnsTheProgramReads) {
    const std::map<std::string, std::string> columns = {
        {"authornames", "AUNAME,STARTID,ENDID"},
        {"authortext", "ID,TEXTSAMPLE"},
        {"wordbooks", "ID,BOOKNAME,TABLENAME"},
        {"imagecategory", "ID,CATEGORY"},
        {"categoryselections", "ID,SELECTIONLIST"},
        {"collagesettings", "OUTPUTFOLDER"},
        {"imagelibrary", "ID,CATEGORY,FILENAME,WIDTH,HEIGHT,FILESTORE"}};
    for (const auto& [table, cols] : columns)
        EXPECT_NO_THROW(db.Query("SELECT " + cols + " FROM " + table + " LIMIT 1")) << table;
    for (const auto& category : wordsdb::WordCategories())
        EXPECT_NO_THROW(db.Query(std::string("SELECT ID,WORD FROM ") + category.table + " LIMIT 1")) << category.table;
}

TEST_F(DeliveredWordsDb, WordTablesHoldExactlyTheirRowsOfDistinctPlainWords) {
    for (const auto& category : wordsdb::WordCategories()) {
        const std::string t = category.table;
        SCOPED_TRACE(t);
        EXPECT_EQ(Number(db, "SELECT COUNT(*) FROM " + t), category.rowCount);
        EXPECT_EQ(Number(db, "SELECT MIN(ID) FROM " + t), 1);
        EXPECT_EQ(Number(db, "SELECT MAX(ID) FROM " + t), category.rowCount);
        EXPECT_EQ(Number(db, "SELECT COUNT(DISTINCT WORD) FROM " + t), category.rowCount);
        int bad = 0;
        for (const auto& row : Rows(db, "SELECT WORD FROM " + t))
            if (!datasrc::IsLowerWord(row[0]) && ++bad < 5) ADD_FAILURE() << "not a plain word: '" << row[0] << "'";
        EXPECT_EQ(bad, 0);
    }
}

TEST_F(DeliveredWordsDb, WordTablesHoldTheRightForms) {
    const std::map<std::string, std::vector<std::string>> expected = {
        {"nouns", {"house", "water", "idea"}},
        {"pluralnouns", {"children", "houses", "mice", "boxes", "cities"}},
        {"verbspast", {"ran", "walked", "stopped", "taken", "went"}},
        {"verbsing", {"running", "making", "walking", "dying"}},
        {"verbspresent", {"runs", "goes", "watches", "carries"}},
        {"verbs", {"run", "walk", "make"}},
        {"adverbs", {"quickly", "slowly", "often"}},
        {"abstracts", {"happiness", "anger", "beauty"}},
        {"adjectives", {"happy", "green", "large"}}};
    for (const auto& [table, words] : expected)
        for (const std::string& word : words)
            EXPECT_EQ(Number(db, "SELECT COUNT(*) FROM " + table + " WHERE WORD = " + wordsdb::Literal(word)), 1)
                << word << " in " << table;
    // classes do not leak into each other's forms
    EXPECT_EQ(Number(db, "SELECT COUNT(*) FROM verbsing WHERE WORD NOT LIKE '%ing'"), 0);
    EXPECT_EQ(Number(db, "SELECT COUNT(*) FROM pluralnouns WHERE WORD IN ('child','house')"), 0);
}

TEST_F(DeliveredWordsDb, EveryListedAuthorHasAtLeastAHundredSamples) {
    const auto& authors = wordbooks::AuthorList();
    EXPECT_EQ(Number(db, "SELECT COUNT(*) FROM authornames"), static_cast<long>(authors.size()));
    long lastEnd = 0;
    for (std::string_view author : authors) {
        SCOPED_TRACE(std::string(author));
        const auto rows = Rows(db, wordsdb::SelectAuthorRange(author));
        ASSERT_EQ(rows.size(), 1u);
        const long start = std::stol(rows[0][0]), end = std::stol(rows[0][1]);
        EXPECT_GE(end - start, 100);
        EXPECT_GE(start, lastEnd) << "sample ranges overlap";
        lastEnd = end;
        EXPECT_EQ(Number(db, "SELECT COUNT(*) FROM authortext WHERE ID > " + std::to_string(start) +
                                 " AND ID <= " + std::to_string(end)),
                  end - start);
    }
}

TEST_F(DeliveredWordsDb, AuthorSamplesArePlainRunsOfFiveToSixtyWords) {
    int bad = 0;
    for (const auto& row : Rows(db, "SELECT TEXTSAMPLE FROM authortext")) {
        const std::string& text = row[0];
        const long words = std::count(text.begin(), text.end(), ' ') + 1;
        const bool ok = words >= 5 && words <= 60 && text.find_first_of("<>&\n\t") == std::string::npos &&
                        text.find("  ") == std::string::npos && text.front() != ' ' && text.back() != ' ';
        if (!ok && ++bad < 5) ADD_FAILURE() << "sample: '" << text << "'";
    }
    EXPECT_EQ(bad, 0);
}

TEST_F(DeliveredWordsDb, TheTwoProtectedWordbooksAreDeliveredFilled) {
    const auto books = Rows(db, "SELECT BOOKNAME, TABLENAME FROM wordbooks ORDER BY ID");
    ASSERT_EQ(books.size(), 2u);
    EXPECT_NE(books[0][0].find("nonsensewords"), std::string::npos);
    EXPECT_NE(books[1][0].find("velnarphrases"), std::string::npos);
    for (const auto& book : books) {
        SCOPED_TRACE(book[0]);
        const long n = Number(db, wordsdb::SelectMaxId(book[1]));
        EXPECT_GE(n, 1000);
        EXPECT_EQ(Number(db, "SELECT COUNT(*) FROM " + wordsdb::Identifier(book[1])), n);
        EXPECT_EQ(Number(db, "SELECT COUNT(DISTINCT WORD) FROM " + wordsdb::Identifier(book[1])), n);
    }
    // nonsense words are single made-up words, phrases have several words
    EXPECT_EQ(Number(db, "SELECT COUNT(*) FROM nonsensewords WHERE WORD LIKE '% %' OR WORD = ''"), 0);
    EXPECT_EQ(Number(db, "SELECT COUNT(*) FROM nonsensewords WHERE WORD IN (SELECT WORD FROM nouns)"), 0);
    EXPECT_EQ(Number(db, "SELECT COUNT(*) FROM velnarphrases WHERE WORD NOT LIKE '% % %'"), 0);
}

TEST_F(DeliveredWordsDb, PictureLibraryCategoriesAreNumberedInRowOrderAndAllSelected) {
    const auto categories = Rows(db, "SELECT ID FROM imagecategory ORDER BY ID");
    ASSERT_GE(categories.size(), 4u);
    std::string all;
    for (std::size_t i = 0; i < categories.size(); ++i) {
        EXPECT_EQ(categories[i][0], std::to_string(i + 1));
        all += (i ? "," : "") + std::to_string(i + 1);
        EXPECT_GE(Number(db, "SELECT COUNT(*) FROM imagelibrary WHERE CATEGORY = '" + std::to_string(i + 1) + "'"), 12);
    }
    const auto selection = Rows(db, wordsdb::SelectSelectionList());
    ASSERT_EQ(selection.size(), 1u);
    EXPECT_EQ(selection[0][0], all);
    EXPECT_GT(Number(db, "SELECT MIN(ID) FROM categoryselections"), 0);
}

TEST_F(DeliveredWordsDb, EveryStoredPictureDecodesToAGifOfItsStoredSize) {
    bool largerThanPage = false;
    std::set<std::string> names;
    for (const auto& row : Rows(db, "SELECT ID, FILENAME, WIDTH, HEIGHT, FILESTORE FROM imagelibrary")) {
        SCOPED_TRACE(row[1]);
        EXPECT_TRUE(names.insert(row[1]).second) << "file names must not collide in the output folder";
        EXPECT_EQ(row[1].find('/'), std::string::npos);
        SqlBlob blob;
        blob.SetEncoded(row[4]);
        const int count = blob.ByteCount();
        const std::string bytes(reinterpret_cast<const char*>(blob.Bytes()), static_cast<std::size_t>(count));
        const giffile::IndexedImage gif = giffile::ReadFromMemory(bytes);
        EXPECT_EQ(std::to_string(gif.width), row[2]);
        EXPECT_EQ(std::to_string(gif.height), row[3]);
        if (gif.width > 850 || gif.height > 1100) largerThanPage = true;
    }
    EXPECT_TRUE(largerThanPage) << "some pictures must exercise clipping";
}

TEST_F(DeliveredWordsDb, OutputFolderIsOneEmptyRowForTheInstallerToFill) {
    const auto rows = Rows(db, wordsdb::SelectOutputFolder());
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], "");
}

}  // namespace
