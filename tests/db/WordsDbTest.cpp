// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "db/CppSQLite3Exception.h"
#include "db/SqlBlob.h"
#include "db/SqlDatabase.h"
#include "db/WordsDb.h"

namespace {

// Values that broke statements built by pasting: both quotes, percent
// conversions, SQL fragments, names equal to columns or starting with a digit.
const std::vector<std::string> kHostileTexts = {
    "it's",      "say \"hi\"", "BOOKNAME",          "ID", "%s%n%Q", "'); DROP TABLE wordbooks; --",
    "C:\\o'k\\", "x y",        "\xc3\xa9t\xc3\xa9",
};
const std::vector<std::string> kHostileTables = {
    "1abc", "we\"ird", "o'k", "BOOKNAME", "two words", "a+b", "wordbooks2", "select",
};

class WordsDbRoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        db.Open(wordsdb::DatabasePath(folder.path()));
        db.Execute("PRAGMA synchronous = OFF");  // keeps the many small writes fast
        for (const auto& table : wordsdb::DeliveredTables()) {
            db.Execute(table.createStatement);
        }
        db.Execute("INSERT INTO collagesettings (OUTPUTFOLDER) VALUES ('start')");
    }

    std::string FirstText(const std::string& statement) {
        SqlQuery q = db.Query(statement);
        if (q.IsEof()) return "(no row)";
        const char* text = q.FieldText(0);
        return text ? text : "(null)";
    }

    std::vector<std::string> AllTexts(const std::string& statement) {
        std::vector<std::string> texts;
        for (SqlQuery q = db.Query(statement); !q.IsEof(); q.NextRow()) {
            texts.emplace_back(q.FieldText(0));
        }
        return texts;
    }

    ScratchFolder folder;
    SqlDatabase db;
};

}  // namespace

TEST(WordsDbStatements, KeepTheirShape) {
    using namespace wordsdb;
    const std::pair<std::string, std::string> cases[] = {
        {SelectWordById("nouns", 17), "SELECT WORD FROM \"nouns\" WHERE ID = 17"},
        {SelectAuthorRange("Ann"), "SELECT STARTID,ENDID FROM authornames WHERE AUNAME = 'Ann'"},
        {SelectAuthorText(5), "SELECT TEXTSAMPLE FROM authortext WHERE ID = 5"},
        {SelectTableNameOfBook("b"), "SELECT TABLENAME FROM wordbooks WHERE BOOKNAME = 'b'"},
        {SelectMaxId("b1"), "SELECT MAX(ID) FROM \"b1\""},
        {SelectBookNames(), "SELECT BOOKNAME FROM wordbooks"},
        {SelectBookIdsAndNames(), "SELECT ID, BOOKNAME FROM wordbooks"},
        {InsertWordbook("b", "b1"), "INSERT INTO wordbooks (BOOKNAME,TABLENAME) VALUES('b','b1')"},
        {CreateWordTable("b1"), "CREATE TABLE \"b1\"(ID integer primary key,WORD char(80))"},
        {RenameWordbook("n", "o"), "UPDATE wordbooks SET BOOKNAME = 'n' WHERE BOOKNAME = 'o'"},
        {DeleteWordbook("b1"), "DELETE FROM wordbooks WHERE TABLENAME = 'b1'"},
        {DropWordTable("b1"), "DROP TABLE \"b1\""},
        {InsertWord("b1", "w"), "INSERT INTO \"b1\" (WORD) VALUES('w')"},
        {SelectOutputFolder(), "SELECT OUTPUTFOLDER from collagesettings"},
        {UpdateOutputFolder("/o/"), "UPDATE collagesettings SET OUTPUTFOLDER = '/o/'"},
        {SelectSelectionList(), "SELECT SELECTIONLIST FROM categoryselections"},
        {SelectImageIdsInCategories("1,3,12"), "SELECT ID FROM imagelibrary WHERE CATEGORY IN (1,3,12)"},
        {SelectMaxImageId(), "SELECT MAX(ID) FROM imagelibrary"},
        {SelectImageInfo(9), "SELECT FILENAME,WIDTH,HEIGHT FROM imagelibrary WHERE ID = 9"},
        {SelectImageFile(9), "select FILENAME,FILESTORE from imagelibrary where ID = 9"},
        {SelectCategoriesInIdOrder(), "SELECT CATEGORY FROM imagecategory ORDER BY ID ASC"},
        {DeleteSelections(), "DELETE FROM categoryselections WHERE ID > 0"},
        {InsertSelectionList("1,2"), "INSERT INTO categoryselections (SELECTIONLIST) VALUES('1,2')"},
        {SelectCategories(), "SELECT CATEGORY FROM imagecategory"},
        {InsertCategory("c"), "INSERT INTO imagecategory (CATEGORY) VALUES('c')"},
        {SelectCategoryId("c"), "SELECT ID FROM imagecategory WHERE CATEGORY = 'c'"},
        {InsertImage("2", "a.gif", "10", "20", "ENC"),
         "insert into imagelibrary (CATEGORY,FILENAME,WIDTH,HEIGHT,FILESTORE) values "
         "('2','a.gif','10','20','ENC');"},
    };
    for (const auto& [built, expected] : cases) {
        EXPECT_EQ(built, expected);
    }
    EXPECT_EQ(DatabasePath("/home/u/.local/share/vantelo"), "/home/u/.local/share/vantelo/words6.db");
}

TEST(WordsDbStatements, SelectionListKeepsOnlyNumbers) {
    EXPECT_EQ(wordsdb::SelectImageIdsInCategories("1) OR (1=1"), "SELECT ID FROM imagelibrary WHERE CATEGORY IN ()");
    EXPECT_EQ(wordsdb::SelectImageIdsInCategories(" 4, x,5,,-6"),
              "SELECT ID FROM imagelibrary WHERE CATEGORY IN (4,5)");
    EXPECT_EQ(wordsdb::SelectImageIdsInCategories(""), "SELECT ID FROM imagelibrary WHERE CATEGORY IN ()");
}

TEST_F(WordsDbRoundTrip, DeliveredTablesHoldTheWordClassesInOrder) {
    const auto& categories = wordsdb::WordCategories();
    ASSERT_EQ(categories.size(), 9u);
    EXPECT_STREQ(categories.front().table, "nouns");
    EXPECT_EQ(categories.front().rowCount, 31021);
    EXPECT_STREQ(categories.back().table, "adjectives");
    EXPECT_EQ(categories.back().rowCount, 14478);
    for (const auto& category : categories) {
        EXPECT_EQ(FirstText(wordsdb::SelectMaxId(category.table)), "(null)") << category.table;
    }
    db.Execute("INSERT INTO authornames (AUNAME,STARTID,ENDID) VALUES ('O''Brien',3,9)");
    SqlQuery range = db.Query(wordsdb::SelectAuthorRange("O'Brien"));
    ASSERT_FALSE(range.IsEof());
    EXPECT_EQ(range.FieldInt(0), 3);
    EXPECT_EQ(range.FieldInt(1), 9);
}

TEST_F(WordsDbRoundTrip, HostileWordbookNamesRoundTrip) {
    for (std::size_t i = 0; i < kHostileTables.size(); ++i) {
        const std::string& table = kHostileTables[i];
        const std::string& book = kHostileTexts[i % kHostileTexts.size()];
        const std::string& entry = kHostileTexts[(i + 1) % kHostileTexts.size()];
        SCOPED_TRACE(table + " / " + book);

        EXPECT_EQ(db.Execute(wordsdb::InsertWordbook(book, table)), 1);
        db.Execute(wordsdb::CreateWordTable(table));
        db.Execute(wordsdb::InsertWord(table, entry));
        db.Execute(wordsdb::InsertWord(table, book));
        EXPECT_EQ(db.Query(wordsdb::SelectMaxId(table)).FieldInt(0), 2);
        EXPECT_EQ(FirstText(wordsdb::SelectWordById(table, 1)), entry);
        EXPECT_EQ(FirstText(wordsdb::SelectWordById(table, 2)), book);
        EXPECT_EQ(FirstText(wordsdb::SelectTableNameOfBook(book)), table);

        const std::string renamed = book + "\"'%d";
        EXPECT_EQ(db.Execute(wordsdb::RenameWordbook(renamed, book)), 1);
        EXPECT_EQ(FirstText(wordsdb::SelectTableNameOfBook(renamed)), table);
        EXPECT_EQ(FirstText(wordsdb::SelectTableNameOfBook(book)), "(no row)");
        EXPECT_EQ(AllTexts(wordsdb::SelectBookNames()), std::vector<std::string>{renamed});

        EXPECT_EQ(db.Execute(wordsdb::DeleteWordbook(table)), 1);
        db.Execute(wordsdb::DropWordTable(table));
        EXPECT_THROW(db.Query(wordsdb::SelectMaxId(table)), CppSQLite3Exception);
    }
    EXPECT_TRUE(AllTexts(wordsdb::SelectBookNames()).empty());
    EXPECT_EQ(db.Query("SELECT COUNT(*) FROM sqlite_master").FieldInt(0), 16);
}

TEST_F(WordsDbRoundTrip, HostileSettingsAndCategoriesRoundTrip) {
    for (const std::string& text : kHostileTexts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(db.Execute(wordsdb::UpdateOutputFolder(text)), 1);
        EXPECT_EQ(FirstText(wordsdb::SelectOutputFolder()), text);

        db.Execute(wordsdb::InsertCategory(text));
        EXPECT_NE(FirstText(wordsdb::SelectCategoryId(text)), "(no row)");
    }
    EXPECT_EQ(AllTexts(wordsdb::SelectCategoriesInIdOrder()), kHostileTexts);
    EXPECT_EQ(FirstText(wordsdb::SelectCategoryId("it''s")), "(no row)");

    db.Execute(wordsdb::DeleteSelections());
    db.Execute(wordsdb::InsertSelectionList("2,'3"));
    EXPECT_EQ(FirstText(wordsdb::SelectSelectionList()), "2,'3");
}

TEST_F(WordsDbRoundTrip, ImageInsertStoresFileNameAndBytesExactly) {
    const unsigned char gif[] = {'G', 'I', 'F', '8', '9', 'a', 0, 1, 39, '%', 's', 255};
    const std::string names[] = {"100%sure%n.gif", "it's.gif", "%Q%%.gif"};
    for (const std::string& name : names) {
        SqlBlob blob;
        blob.SetBytes(gif, sizeof gif);
        db.Execute(wordsdb::InsertImage("1", name, "640", "48", blob.Encoded()));
    }
    db.Execute(wordsdb::InsertCategory("pets"));
    db.Execute(wordsdb::InsertCategory("toys"));

    EXPECT_EQ(db.Query(wordsdb::SelectMaxImageId()).FieldInt(0), 3);
    EXPECT_EQ(AllTexts(wordsdb::SelectImageIdsInCategories("1")), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_TRUE(AllTexts(wordsdb::SelectImageIdsInCategories("2")).empty());
    for (int id = 1; id <= 3; ++id) {
        SqlQuery info = db.Query(wordsdb::SelectImageInfo(id));
        EXPECT_EQ(std::string(info.FieldText(0)), names[id - 1]);
        EXPECT_STREQ(info.FieldText(1), "640");
        EXPECT_STREQ(info.FieldText(2), "48");

        SqlQuery file = db.Query(wordsdb::SelectImageFile(id));
        EXPECT_EQ(std::string(file.FieldTextByName("FILENAME")), names[id - 1]);
        SqlBlob stored;
        stored.SetEncoded(file.FieldTextByName("FILESTORE"));
        ASSERT_EQ(stored.ByteCount(), static_cast<int>(sizeof gif));
        EXPECT_EQ(std::memcmp(stored.Bytes(), gif, sizeof gif), 0);
    }
}
