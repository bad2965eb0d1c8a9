// SPDX-License-Identifier: GPL-3.0-or-later
#include "WordsFixture.h"

#include "wordbooks/TextFileLines.h"
#include "wordbooks/WordbookLoader.h"

#include <sys/stat.h>

#include <thread>

namespace {

using namespace wordbooks;

std::vector<std::string> EntriesOf(const std::string& line, bool excludeShort = false) {
    std::vector<std::string> entries;
    EntriesOfLine(
        line, excludeShort, [] { return false; }, [&entries](std::string_view e) { entries.emplace_back(e); });
    return entries;
}

std::string Words(int from, int to) {
    std::string out;
    for (int i = from; i <= to; ++i) out += (i > from ? " w" : "w") + std::to_string(i);
    return out;
}

TEST(LoaderLines, OneWordLinesAreEntriesWhenLongerThanOneCharacter) {
    EXPECT_EQ(EntriesOf("alpha"), std::vector<std::string>{"alpha"});
    EXPECT_TRUE(EntriesOf("x").empty());
    EXPECT_TRUE(EntriesOf("").empty());
    // Characters, not bytes.
    EXPECT_TRUE(EntriesOf("\xC3\xA9").empty());
    EXPECT_EQ(EntriesOf("\xC3\xA9t"), std::vector<std::string>{"\xC3\xA9t"});
    // Stored exactly, double quotes included.
    EXPECT_EQ(EntriesOf("say\"so\""), std::vector<std::string>{"say\"so\""});
}

TEST(LoaderLines, RunningTextStoresPhrasesOfTenWordsAndTheRest) {
    // Each entry starts empty (entries repeating the ones before grew a long
    // line's entries by its square), and the rest of the line is stored.
    EXPECT_EQ(EntriesOf(Words(1, 25)), (std::vector<std::string>{Words(1, 10), Words(11, 20), Words(21, 25)}));
    EXPECT_EQ(EntriesOf(Words(1, 9)), std::vector<std::string>{Words(1, 9)});
    EXPECT_EQ(EntriesOf(Words(1, 20)), (std::vector<std::string>{Words(1, 10), Words(11, 20)}));
    std::size_t stored = 0;
    for (const std::string& entry : EntriesOf(Words(1, 5000))) stored += entry.size() + 1;
    EXPECT_EQ(stored, Words(1, 5000).size() + 1);
    // Nothing blank is stored.
    EXPECT_TRUE(EntriesOf("   ").empty());
    EXPECT_TRUE(EntriesOf("           ").empty());
    // A trailing space is an empty last token.
    EXPECT_EQ(EntriesOf(Words(1, 9) + " "), std::vector<std::string>{Words(1, 9) + " "});
    // Two adjacent spaces count an empty word.
    EXPECT_EQ(EntriesOf("a  b c d e f g h i"), std::vector<std::string>{"a  b c d e f g h i"});
    EXPECT_EQ(EntriesOf("one \"two\" three four five six seven eight nine ten"),
              std::vector<std::string>{"one 'two' three four five six seven eight nine ten"});
}

TEST(LoaderLines, ExcludeShortLeavesOutWordsOfFewerThanFourCharacters) {
    const std::string line = "the cat sat upon every single mat of wool with great care and love near home yes";
    // Kept: upon every single wool with great care love near home (10).
    EXPECT_EQ(EntriesOf(line, true), std::vector<std::string>{"upon every single wool with great care love near home"});
    EXPECT_EQ(EntriesOf(line + " " + line, true),
              (std::vector<std::string>{"upon every single wool with great care love near home",
                                        "upon every single wool with great care love near home"}));
    EXPECT_EQ(EntriesOf("a bb ccc dddd eeeee ffff gggg hhhh iiii jjjj kkkk", true),
              std::vector<std::string>{"dddd eeeee ffff gggg hhhh iiii jjjj kkkk"});
    EXPECT_TRUE(EntriesOf("a bb ccc", true).empty());
    // "für" is three characters (four bytes); "über" four.
    EXPECT_EQ(EntriesOf("f\xC3\xBCr \xC3\xBC"
                        "ber aaaa bbbb cccc dddd eeee ffff gggg hhhh iiii",
                        true),
              std::vector<std::string>{"\xC3\xBC"
                                       "ber aaaa bbbb cccc dddd eeee ffff gggg hhhh iiii"});
    // One-word lines too.
    EXPECT_TRUE(EntriesOf("ab", true).empty());
    EXPECT_TRUE(EntriesOf("f\xC3\xBCr", true).empty());
    EXPECT_EQ(EntriesOf("abcd", true), std::vector<std::string>{"abcd"});
}

TEST(LoaderLines, StopEndsTheLineBetweenTokens) {
    int asked = 0;
    std::vector<std::string> entries;
    EntriesOfLine(
        Words(1, 30), false, [&asked] { return ++asked > 12; },
        [&entries](std::string_view e) { entries.emplace_back(e); });
    EXPECT_EQ(entries, std::vector<std::string>{Words(1, 10)});
}

class LoaderTest : public wordstest::WordsTest {
protected:
    void SetUp() override {
        WordsTest::SetUp();
        AddWordbook("book", "book5", {});
    }
    std::unique_ptr<LoadRequest> Request(const std::string& file, bool excludeShort = false) {
        auto request = std::make_unique<LoadRequest>();
        request->m_filePath = file;
        request->m_tableName = "book5";
        request->m_databasePath = DatabasePath();
        request->m_excludeShort = excludeShort;
        return request;
    }
    long Load(const std::string& file, bool excludeShort = false) {
        auto request = Request(file, excludeShort);
        request->m_db.Open(DatabasePath());
        EXPECT_EQ(LoadWordbookFile(*request), 1);
        EXPECT_FALSE(request->m_db.IsOpen());
        return request->m_entriesStored;
    }
};

TEST_F(LoaderTest, LoadsLinesWithEitherLineEnd) {
    EXPECT_EQ(Load(WriteFile("a.txt", "alpha\r\nbeta\r\nx\r\n" + Words(1, 12) + "\r\nsay\"so'%\nlast")), 6);
    EXPECT_EQ(Entries("book5"),
              (std::vector<std::string>{"alpha", "beta", Words(1, 10), "w11 w12", "say\"so'%", "last"}));
}

TEST_F(LoaderTest, Utf8StaysAndWindows1252IsConverted) {
    Load(WriteFile("u.txt",
                   "\xEF\xBB\xBF"
                   "caf\xC3\xA9\nna\xC3\xAFve\n"));
    Load(WriteFile("w.txt", "caf\xE9\n\x93quoted\x94\n\x80uro\n"));
    EXPECT_EQ(Entries("book5"), (std::vector<std::string>{"caf\xC3\xA9", "na\xC3\xAFve", "caf\xC3\xA9",
                                                          "\xE2\x80\x9Cquoted\xE2\x80\x9D", "\xE2\x82\xACuro"}));
}

TEST_F(LoaderTest, FilesThatCannotBeReadAndMissingTablesLoadNothing) {
    auto missing = Request(data / "missing.txt");
    missing->m_db.Open(DatabasePath());
    LoadWordbookFile(*missing);
    EXPECT_FALSE(missing->m_fileOpened);
    EXPECT_EQ(Load(data.path()), 0);  // a folder
    EXPECT_EQ(Load("x"), 0);

    auto noTable = Request(WriteFile("t.txt", "alpha\n"));
    noTable->m_tableName = "nosuchtable";
    noTable->m_db.Open(DatabasePath());
    LoadWordbookFile(*noTable);
    EXPECT_EQ(noTable->m_entriesStored, 0);
    EXPECT_TRUE(Entries("book5").empty());
}

// A new wordbook's catalogue row and table come with its first entry.
TEST_F(LoaderTest, ANewWordbookIsCreatedOnlyWithItsFirstEntry) {
    const auto NewBook = [this](const std::string& file) {
        auto request = Request(file);
        request->m_tableName = "fresh6";
        request->m_bookName = "fresh";
        request->m_db.Open(DatabasePath());
        LoadWordbookFile(*request);
        return request;
    };
    const auto Catalogue = [this] { return Column("SELECT TABLENAME FROM wordbooks WHERE BOOKNAME = 'fresh'"); };
    const auto Tables = [this] { return Column("SELECT name FROM sqlite_master WHERE name = 'fresh6'"); };

    EXPECT_EQ(NewBook(WriteFile("none.txt", "x\n\n   \ny\n"))->m_entriesStored, 0);
    EXPECT_TRUE(Catalogue().empty());
    EXPECT_TRUE(Tables().empty());

    // A database that refuses writes: the reason is kept, nothing is made.
    Execute("CREATE TRIGGER refuse BEFORE INSERT ON wordbooks BEGIN SELECT RAISE(ABORT, 'no writing here'); END");
    auto refused = NewBook(WriteFile("a.txt", "alpha\nbeta\n"));
    EXPECT_EQ(refused->m_entriesStored, 0);
    EXPECT_NE(refused->m_failure.find("no writing here"), std::string::npos);
    EXPECT_TRUE(Tables().empty());
    Execute("DROP TRIGGER refuse");

    auto made = NewBook(WriteFile("b.txt", "alpha\nbeta\n"));
    EXPECT_EQ(made->m_entriesStored, 2);
    EXPECT_TRUE(made->m_failure.empty());
    EXPECT_EQ(Catalogue(), std::vector<std::string>{"fresh6"});
    EXPECT_EQ(Entries("fresh6"), (std::vector<std::string>{"alpha", "beta"}));
}

TEST_F(LoaderTest, OnlyRegularFilesAreOpened) {
    const std::string pipe = data / "pipe.txt";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    TextFileLines lines;
    EXPECT_FALSE(lines.Open(pipe));  // would block until a writer came
    EXPECT_EQ(Load(pipe), 0);
}

TEST_F(LoaderTest, StopKeepsWhatWasStored) {
    std::string big;
    for (int i = 0; i < 400000; ++i) big += "word" + std::to_string(i) + "\n";
    const std::string file = WriteFile("big.txt", big);
    WordbookLoad load;
    load.Start(Request(file));
    while (load.Request()->m_entriesStored.load() == 0 && !load.Done()) std::this_thread::yield();
    load.Stop();
    load.Wait();
    const long stored = load.Request()->m_entriesStored;
    const std::vector<std::string> entries = Entries("book5");
    ASSERT_EQ(static_cast<long>(entries.size()), stored);
    ASSERT_GT(stored, 0);
    for (std::size_t i = 0; i < entries.size(); ++i) ASSERT_EQ(entries[i], "word" + std::to_string(i));
}

TEST_F(LoaderTest, StartFailsCleanlyWithoutADatabase) {
    auto request = Request(WriteFile("a.txt", "alpha\n"));
    request->m_databasePath = data / "nowhere.db";
    WordbookLoad load;
    EXPECT_THROW(load.Start(std::move(request)), CppSQLite3Exception);
    EXPECT_FALSE(load.Running());
    EXPECT_FALSE(std::filesystem::exists(data / "nowhere.db"));
}

}  // namespace
