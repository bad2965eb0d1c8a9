// SPDX-License-Identifier: GPL-3.0-or-later
#include "WordsFixture.h"

#include "ScriptedUserInterface.h"
#include "wordbooks/WordbookCatalogue.h"
#include "wordbooks/WordbookLoader.h"

namespace {

using namespace wordbooks;

class RecordingDialogs : public WordbookDialogs {
public:
    std::deque<std::optional<std::string>> names;
    std::vector<LoaderSetup> loads;
    std::optional<std::string> AskNewBookName() override {
        if (names.empty()) return std::nullopt;
        auto n = names.front();
        names.pop_front();
        return n;
    }
    // Loads for real, unless the window was closed before START.
    bool start = true;
    LoadResult RunLoader(const LoaderSetup& setup) override {
        loads.push_back(setup);
        if (!start) return {};
        LoadRequest request;
        request.m_filePath = setup.filePath;
        request.m_tableName = setup.tableName;
        request.m_bookName = setup.bookName;
        request.m_db.Open(setup.databasePath);
        LoadWordbookFile(request);
        return {true, request.m_entriesStored, false, request.m_fileOpened, request.m_failure};
    }
};

class CatalogueTest : public wordstest::WordsTest {
protected:
    void SetUp() override {
        WordsTest::SetUp();
        state.m_databasePath = DatabasePath();
        FillWordbookList(state, ui, false);
    }
    std::optional<CreatedWordbook> Create(const std::string& fileName, const std::string& content = "alpha\n") {
        WriteFile(fileName, content);
        ui.openAnswers.push_back(FileChoice{data / fileName, fileName});
        return CreateWordbook(state, ui, dialogs);
    }
    void Select(const std::string& name) { state.m_wordbookSelection = FindWordbookEntry(state, name); }
    std::vector<std::string> Books() { return Column("SELECT BOOKNAME FROM wordbooks ORDER BY ID"); }

    AuthorsDialogState state;
    ScriptedUserInterface ui;
    RecordingDialogs dialogs;
};

TEST(WordbookNames, FileNamesBecomeWordbookNames) {
    EXPECT_EQ(WordbookNameFromFile("notes.txt"), "notes");
    EXPECT_EQ(WordbookNameFromFile("my list (2).txt"), "my_list__2_");
    EXPECT_EQ(WordbookNameFromFile("a\"|&!?%$@()#`:;'. ,-z.txt"), "a___________________z");
    EXPECT_EQ(WordbookNameFromFile("x.txt"), "x");
    EXPECT_EQ(WordbookNameFromFile("tab\there\nnow.txt"), "tab_here_now");
    EXPECT_EQ(WordbookNameFromFile(".txt"), std::nullopt);
    EXPECT_EQ(WordbookNameFromFile(""), std::nullopt);
    // Characters, not bytes: a name of one accented letter keeps it whole.
    EXPECT_EQ(WordbookNameFromFile("\xC3\xA9.txt"), "\xC3\xA9");
    EXPECT_EQ(WordbookNameFromFile("\xC3\xA9\xC3\xA9\xC3\xA9"), std::nullopt);

    EXPECT_EQ(SanitisedNewName("a\"|&!?%$@()#`:;b 'c'.,-"), "a--------------b 'c'.,-");
    EXPECT_TRUE(IsProtectedWordbook("my nonsensewords 2"));
    EXPECT_TRUE(IsProtectedWordbook("velnarphrases"));
    EXPECT_FALSE(IsProtectedWordbook("Nonsensewords"));
}

TEST_F(CatalogueTest, TheListHoldsEveryWordbookAfterItsFirstEntry) {
    EXPECT_EQ(state.m_wordbookList, (std::vector<std::string>{"Select Wordbook", "nonsensewords", "velnarphrases"}));
    EXPECT_EQ(state.m_wordbookSelection, 0);
    FillWordbookList(state, ui, true);
    EXPECT_EQ(state.m_wordbookSelection, 2);
    EXPECT_EQ(state.m_authorSelection, 0);
    const auto authors = AuthorListEntries();
    ASSERT_EQ(authors.size(), 50u);
    EXPECT_EQ(authors[0], "Select Author");
}

TEST_F(CatalogueTest, NewWordbooksAreNumberedAfterTheLastCatalogueId) {
    const auto first = Create("notes.txt");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->bookName, "notes");
    EXPECT_EQ(first->tableName, "notes5");  // the last ID is 4
    ASSERT_EQ(dialogs.loads.size(), 1u);
    EXPECT_EQ(dialogs.loads[0].tableName, "notes5");
    EXPECT_EQ(dialogs.loads[0].filePath, data / "notes.txt");
    EXPECT_EQ(dialogs.loads[0].databasePath, DatabasePath());
    EXPECT_EQ(Entries("notes5"), std::vector<std::string>{"alpha"});
    EXPECT_EQ(state.m_wordbookList.back(), "notes");
    EXPECT_EQ(state.m_wordbookSelection, 3);
    EXPECT_EQ(state.m_authorSelection, 0);

    const auto second = Create("notes.txt");
    ASSERT_TRUE(second);
    EXPECT_EQ(second->bookName, "notes6");
    EXPECT_EQ(second->tableName, "notes6");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CatalogueTest, NamesThatStartWithADigitOrHoldQuotesWork) {
    const auto digits = Create("2024 diary.txt");
    ASSERT_TRUE(digits);
    EXPECT_EQ(digits->tableName, "2024_diary5");
    EXPECT_TRUE(ui.messages.empty()) << ui.messages[0].text;
    EXPECT_EQ(Entries("2024_diary5"), std::vector<std::string>{"alpha"});

    // A name that is also a column of the catalogue stays a name: renaming
    // it renames that wordbook alone.
    ASSERT_TRUE(Create("BOOKNAME.txt"));
    Select("BOOKNAME");
    dialogs.names.push_back("renamed");
    EXPECT_TRUE(RenameWordbook(state, ui, dialogs));
    EXPECT_EQ(Books(), (std::vector<std::string>{"nonsensewords", "velnarphrases", "2024_diary", "renamed"}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CatalogueTest, ShortNamesAndCancelledChoicesCreateNothing) {
    EXPECT_FALSE(Create("a.tx"));
    EXPECT_FALSE(CreateWordbook(state, ui, dialogs));  // the chooser is cancelled
    EXPECT_TRUE(dialogs.loads.empty());
    EXPECT_EQ(Books().size(), 2u);
}

TEST_F(CatalogueTest, ACatalogueThatCannotBeReadStopsCreateWithAMessage) {
    Execute("DROP TABLE wordbooks");
    EXPECT_FALSE(Create("notes.txt"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "db error");
    EXPECT_TRUE(dialogs.loads.empty());
}

// Nothing is created until an entry is stored; a load that stores nothing
// says why, one closed before START says nothing.
TEST_F(CatalogueTest, ALoadThatStoresNothingLeavesNoWordbook) {
    const auto Unchanged = [this] {
        EXPECT_EQ(Books(), (std::vector<std::string>{"nonsensewords", "velnarphrases"}));
        EXPECT_TRUE(Column("SELECT name FROM sqlite_master WHERE name LIKE 'notes%'").empty());
    };
    dialogs.start = false;
    EXPECT_FALSE(Create("notes.txt"));
    EXPECT_TRUE(ui.messages.empty());
    Unchanged();

    dialogs.start = true;
    EXPECT_FALSE(Create("notes.txt", "x\n\n \n"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "Load Wordbook From File");
    EXPECT_EQ(ui.messages[0].text.rfind("no entries: " + (data / "notes.txt") + " has no line", 0), 0u);
    Unchanged();

    Execute("CREATE TRIGGER refuse BEFORE INSERT ON wordbooks BEGIN SELECT RAISE(ABORT, 'read-only'); END");
    EXPECT_FALSE(Create("notes.txt"));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].caption, "db error");
    EXPECT_NE(ui.messages[1].text.find("read-only"), std::string::npos);
    Unchanged();
    EXPECT_EQ(state.m_wordbookList.size(), 3u);
}

TEST_F(CatalogueTest, RenameRefusesTheFirstEntryAndProtectedBooks) {
    dialogs.names.push_back("new");
    EXPECT_FALSE(RenameWordbook(state, ui, dialogs));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "No Wordbook has been selected,\n can't rename.");
    EXPECT_EQ(ui.messages[0].caption, "Wordbook Selection");

    Select("nonsensewords");
    EXPECT_FALSE(RenameWordbook(state, ui, dialogs));
    EXPECT_EQ(ui.messages[1].text, "Selected wordbook can't be renamed\n(used by Versomat)");
    EXPECT_EQ(ui.messages[1].caption, "WORDBOOK RENAME MESSAGE");
    EXPECT_EQ(dialogs.names.size(), 1u) << "no name was asked for";
}

TEST_F(CatalogueTest, RenameStoresTheSanitisedNameAndKeepsTheSelection) {
    AddWordbook("mine", "mine7", {"word"});
    FillWordbookList(state, ui, false);
    Select("mine");
    dialogs.names.push_back("O'Brien's 100% \"best\"");
    EXPECT_TRUE(RenameWordbook(state, ui, dialogs));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(Books().back(), "O'Brien's 100- -best-");
    EXPECT_EQ(state.m_wordbookSelection, 3);
    EXPECT_EQ(state.m_wordbookList[3], "O'Brien's 100- -best-");
    EXPECT_EQ(Column("SELECT TABLENAME FROM wordbooks WHERE ID = 5"), std::vector<std::string>{"mine7"});

    dialogs.names.push_back(std::nullopt);  // cancelled
    EXPECT_FALSE(RenameWordbook(state, ui, dialogs));
    EXPECT_EQ(Books().back(), "O'Brien's 100- -best-");
}

TEST_F(CatalogueTest, RenameRefusesNamesThatCannotBeTold) {
    AddWordbook("mine", "mine7", {"word"});
    AddWordbook("other", "other8", {"word"});
    const std::vector<std::pair<std::string, std::string>> refused{
        {"", kEmptyNewName},
        {"   ", kEmptyNewName},
        {"a\tb", kNewNameWithBreaks},
        {"two\nlines", kNewNameWithBreaks},
        {"my nonsensewords", kProtectedNewName},
        {"velnarphrases", kProtectedNewName},
        {"mine", DuplicateNameMessage("mine")},
        {"min:", DuplicateNameMessage("min-")},  // compared as stored
    };
    AddWordbook("min-", "min9", {});
    FillWordbookList(state, ui, false);
    Select("other");
    for (const auto& [name, message] : refused) {
        dialogs.names.push_back(name);
        EXPECT_FALSE(RenameWordbook(state, ui, dialogs)) << name;
        ASSERT_FALSE(ui.messages.empty());
        EXPECT_EQ(ui.messages.back().text, message) << name;
        EXPECT_EQ(ui.messages.back().caption, "WORDBOOK RENAME MESSAGE");
        Select("other");
    }
    EXPECT_EQ(ui.messages.size(), refused.size());
    EXPECT_EQ(Books(), (std::vector<std::string>{"nonsensewords", "velnarphrases", "mine", "other", "min-"}));
    // Its own name again is no clash.
    dialogs.names.push_back("other");
    EXPECT_TRUE(RenameWordbook(state, ui, dialogs));
}

// Names that repeat (from older versions) are told apart by their record.
TEST_F(CatalogueTest, RepeatedNamesActOnTheSelectedRecord) {
    AddWordbook("twin", "twin7", {"first"});
    AddWordbook("twin", "twin8", {"second"});
    FillWordbookList(state, ui, false);
    EXPECT_EQ(FindWordbookEntry(state, "twin"), -1);
    EXPECT_EQ(FindWordbookEntry(state, "twin8"), 4);
    EXPECT_EQ(FindWordbookEntry(state, "nonsensewords1"), 1);

    state.m_wordbookSelection = 4;
    dialogs.names.push_back("second one");
    EXPECT_TRUE(RenameWordbook(state, ui, dialogs));
    EXPECT_EQ(Books(), (std::vector<std::string>{"nonsensewords", "velnarphrases", "twin", "second one"}));

    AddWordbook("twin", "twin9", {"third"});
    FillWordbookList(state, ui, false);
    state.m_wordbookSelection = 5;
    EXPECT_TRUE(DeleteWordbook(state, ui));
    EXPECT_EQ(Column("SELECT TABLENAME FROM wordbooks ORDER BY ID"),
              (std::vector<std::string>{"nonsensewords1", "velnarphrases4", "twin7", "twin8"}));
    EXPECT_EQ(Entries("twin7"), std::vector<std::string>{"first"});
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CatalogueTest, DeleteRemovesTheRowAndTheTable) {
    AddWordbook("gone", "gone7", {"word"});
    FillWordbookList(state, ui, false);
    Select("gone");
    EXPECT_TRUE(DeleteWordbook(state, ui));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(Books(), (std::vector<std::string>{"nonsensewords", "velnarphrases"}));
    EXPECT_TRUE(Column("SELECT name FROM sqlite_master WHERE name = 'gone7'").empty());
    EXPECT_EQ(state.m_wordbookSelection, 2);
}

TEST_F(CatalogueTest, DeleteRefusalsAndAVanishedRow) {
    EXPECT_FALSE(DeleteWordbook(state, ui));
    EXPECT_EQ(ui.messages.at(0).text, "No Wordbook has been selected,\n can't delete.");
    EXPECT_EQ(ui.messages.at(0).caption, "Wordbook Delete");
    Select("velnarphrases");
    EXPECT_FALSE(DeleteWordbook(state, ui));
    EXPECT_EQ(ui.messages.at(1).text, "Selected wordbook can't be deleted\n(used by Versomat)");
    EXPECT_EQ(ui.messages.at(1).caption, "WORDBOOK DELETE MESSAGE");

    // Listed, but its row went meanwhile: the DROP of NONEFOUND fails.
    AddWordbook("later", "later7", {});
    FillWordbookList(state, ui, false);
    Select("later");
    Execute("DELETE FROM wordbooks WHERE BOOKNAME = 'later'");
    EXPECT_FALSE(DeleteWordbook(state, ui));
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[2].caption, "db error");
    EXPECT_NE(ui.messages[2].text.find("NONEFOUND"), std::string::npos);
}

}  // namespace
