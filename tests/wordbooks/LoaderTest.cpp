#include "WordsFixture.h"

#include "wordbooks/TextFileLines.h"
#include "wordbooks/WordbookLoader.h"

#include <thread>

namespace {

using namespace wordbooks;

std::vector<std::string> EntriesOf(const std::string& line, bool excludeShort = false) {
    std::vector<std::string> entries;
    EntriesOfLine(line, excludeShort, [] { return false; },
                  [&entries](std::string_view e) { entries.emplace_back(e); });
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

TEST(LoaderLines, RunningTextStoresGrowingPhrasesOfTenWords) {
    EXPECT_EQ(EntriesOf(Words(1, 25)), (std::vector<std::string>{Words(1, 10), Words(1, 20)}));
    EXPECT_TRUE(EntriesOf(Words(1, 9)).empty());
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
    EXPECT_TRUE(EntriesOf("a bb ccc dddd eeeee ffff gggg hhhh iiii jjjj kkkk", true).empty());
    // "für" is three characters (four bytes); "über" four.
    EXPECT_EQ(EntriesOf("f\xC3\xBCr \xC3\xBC" "ber aaaa bbbb cccc dddd eeee ffff gggg hhhh iiii", true),
              std::vector<std::string>{"\xC3\xBC" "ber aaaa bbbb cccc dddd eeee ffff gggg hhhh iiii"});
    // A one-word line is kept whatever its length.
    EXPECT_EQ(EntriesOf("ab", true), std::vector<std::string>{"ab"});
}

TEST(LoaderLines, StopEndsTheLineBetweenTokens) {
    int asked = 0;
    std::vector<std::string> entries;
    EntriesOfLine(Words(1, 30), false, [&asked] { return ++asked > 12; },
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
    EXPECT_EQ(Load(WriteFile("a.txt", "alpha\r\nbeta\r\nx\r\n" + Words(1, 12) + "\r\nsay\"so'%\nlast")), 5);
    EXPECT_EQ(Entries("book5"), (std::vector<std::string>{"alpha", "beta", Words(1, 10), "say\"so'%", "last"}));
}

TEST_F(LoaderTest, Utf8StaysAndWindows1252IsConverted) {
    Load(WriteFile("u.txt", "\xEF\xBB\xBF" "caf\xC3\xA9\nna\xC3\xAFve\n"));
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
