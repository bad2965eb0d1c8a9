// SPDX-License-Identifier: GPL-3.0-or-later
#include "WordsFixture.h"

#include "form/MainFormState.h"
#include "richtext/RichTextOps.h"
#include "ScriptedUserInterface.h"
#include "wordbooks/FillCommands.h"
#include "wordbooks/WordsConnection.h"

#include <filesystem>
#include <set>

namespace {

using namespace wordbooks;
using wordstest::SplitSpaces;

class FillTest : public wordstest::WordsTest {
protected:
    void SetUp() override {
        WordsTest::SetUp();
        form.m_dataFolder = data.path();
        form.m_tracks[1].SetDatabasePath(DatabasePath());
        LoadMarkup(*form.m_mainText, "the old text");
        LoadMarkup(*form.m_tracks[1].m_trackText, "old track text");
    }
    FillTarget Main() { return MainFormTarget(form, mainDb, ui); }
    FillTarget Track() { return TrackTarget(form.m_tracks[1], trackDb, ui); }
    // The text shown, without the paragraph end the converter adds.
    std::string Shown() {
        std::string text = PlainTextOf(*form.m_mainText);
        if (!text.empty() && text.back() == '\n') text.pop_back();
        return text;
    }

    MainFormState form;
    SqlDatabase mainDb;
    SqlDatabase trackDb;
    ScriptedUserInterface ui;
};

// Table and ID of a fixture word "table_id".
std::pair<std::string, int> Parse(const std::string& word) {
    const auto cut = word.rfind('_');
    return {word.substr(0, cut), std::stoi(word.substr(cut + 1))};
}

TEST_F(FillTest, FillDrawsOneWordFromEachTableInTurn) {
    rng::Seed(7);
    FillTarget target = Main();
    const std::string before = form.m_mainText->StreamRtfOut();
    const FillOutcome outcome = FillRandomWords(target);

    ASSERT_TRUE(outcome.replaced);
    EXPECT_EQ(outcome.failedLookups, 0);
    ASSERT_EQ(outcome.text.back(), ' ');
    const std::vector<std::string> words = SplitSpaces(outcome.text);
    ASSERT_EQ(words.size(), 150u);
    const auto& tables = wordsdb::WordCategories();
    for (std::size_t i = 0; i < words.size(); ++i) {
        const auto [table, id] = Parse(words[i]);
        EXPECT_EQ(table, tables[i % 9].table) << i;
        EXPECT_GE(id, 1);
        EXPECT_LE(id, tables[i % 9].rowCount);
    }
    EXPECT_EQ(Shown(), outcome.text);
    EXPECT_EQ(form.m_undoText, before);
    EXPECT_EQ(ui.waitShown, 1);
    EXPECT_FALSE(ui.waitVisible);
    EXPECT_FALSE(mainDb.IsOpen());

    // The same seed gives the same text.
    rng::Seed(7);
    EXPECT_EQ(FillRandomWords(target).text, outcome.text);
}

TEST_F(FillTest, ADrawOfZeroAsksForIdZeroAndLeavesNoGap) {
    rng::Seed(wordstest::SeedDrawingZero());
    FillTarget target = Main();
    const FillOutcome outcome = FillRandomWords(target);
    ASSERT_EQ(outcome.text.substr(0, 2), " p") << "ID 0 of nouns gives an empty word";
    EXPECT_EQ(SplitSpaces(outcome.text).size(), 149u);
    EXPECT_EQ(Shown().substr(0, 12), "pluralnouns_");
}

TEST_F(FillTest, LowIdsAreDrawnTwiceAsOften) {
    // 32767 = 31021 + 1746: IDs 1..1746 of nouns come from two draws each.
    std::vector<int> hits(31022);
    rng::Seed(1);
    for (int i = 0; i < 32768 * 2; ++i) ++hits[static_cast<std::size_t>(DrawFromRange(31021))];
    long low = 0, high = 0;
    for (int id = 1; id <= 1746; ++id) low += hits[static_cast<std::size_t>(id)];
    for (int id = 1747; id <= 1746 * 2; ++id) high += hits[static_cast<std::size_t>(id)];
    EXPECT_NEAR(static_cast<double>(low) / static_cast<double>(high), 2.0, 0.2);
    for (int i = 0; i < 1000; ++i) {
        const int r = DrawFromRange(3);
        EXPECT_TRUE(r >= 0 && r <= 3);
    }
}

TEST_F(FillTest, FailingLookupsAreSilentInTheMainFormAndShownOnceInATrack) {
    // The table is there, but no look-up in it can run.
    Execute("DROP TABLE nouns");
    Execute("CREATE TABLE nouns (ID integer primary key)");
    rng::Seed(3);
    FillTarget main = Main();
    const FillOutcome silent = FillRandomWords(main);
    EXPECT_EQ(silent.failedLookups, 17);  // indexes 0, 9, ..., 144
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(SplitSpaces(silent.text).size(), 133u);

    FillTarget track = Track();
    const std::string before = form.m_tracks[1].m_trackText->StreamRtfOut();
    const FillOutcome shown = FillRandomWords(track);
    EXPECT_EQ(shown.failedLookups, 17);
    // One box for the command, never one per look-up.
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Brisko database error");
    EXPECT_EQ(ui.messages[0].caption, "db error");
    EXPECT_EQ(form.m_tracks[1].m_trackUndoText, before);
    EXPECT_EQ(SplitSpaces(PlainTextOf(*form.m_tracks[1].m_trackText)), SplitSpaces(shown.text));
    EXPECT_FALSE(trackDb.IsOpen());
}

TEST_F(FillTest, AnIncompleteDatabaseIsNamedOnceAndNothingIsDrawn) {
    Execute("DROP TABLE nouns");
    const std::string before = form.m_tracks[1].m_trackText->StreamRtfOut();
    FillTarget track = Track();
    const FillOutcome outcome = FillRandomWords(track);
    EXPECT_FALSE(outcome.replaced);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find(DatabasePath() + " is incomplete"), std::string::npos) << ui.messages[0].text;
    EXPECT_NE(ui.messages[0].text.find("tarvex4 data restore"), std::string::npos) << ui.messages[0].text;
    EXPECT_EQ(form.m_tracks[1].m_trackText->StreamRtfOut(), before);
    EXPECT_FALSE(trackDb.IsOpen());
}

TEST_F(FillTest, AMissingDatabaseIsReportedAndNotCreated) {
    std::filesystem::remove(DatabasePath());
    for (auto command : {+[](FillTarget& t) { return FillRandomWords(t); },
                         +[](FillTarget& t) { return SampleAuthorText(t, "Milton, John"); },
                         +[](FillTarget& t) { return SampleWordbook(t, "nonsensewords"); }}) {
        FillTarget target = Main();
        const FillOutcome outcome = command(target);
        EXPECT_FALSE(outcome.replaced);
        EXPECT_FALSE(outcome.failure.empty());
        EXPECT_EQ(Shown(), "the old text");
    }
    EXPECT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages.back().caption, "db error");
    EXPECT_FALSE(std::filesystem::exists(DatabasePath()));
}

TEST_F(FillTest, AuthorSamplesComeFromTheAuthorsRowsWithSpacesCollapsed) {
    rng::Seed(11);
    FillTarget target = Main();
    const FillOutcome outcome = SampleAuthorText(target, "Milton, John");
    ASSERT_TRUE(outcome.replaced);
    EXPECT_EQ(outcome.text.find("  "), std::string::npos);
    std::set<std::string> seen;
    for (const std::string& w : SplitSpaces(outcome.text)) seen.insert(w);
    EXPECT_EQ(seen, (std::set<std::string>{"paradise", "lost", "sample", "two", "third"}));
    EXPECT_TRUE(form.m_undoText.empty()) << "author sampling keeps no undo text";
    EXPECT_EQ(ui.waitShown, 1);
    EXPECT_FALSE(ui.waitVisible);

    // Rows 4..5 only: never row 3, which is the start of the span.
    const FillOutcome bierce = SampleAuthorText(target, "Bierce, Ambrose");
    for (const std::string& w : SplitSpaces(bierce.text)) EXPECT_TRUE(w == "devil" || w == "one" || w == "two") << w;
}

TEST_F(FillTest, UnknownAuthorsAndEmptySpansLeaveTheText) {
    FillTarget target = Main();
    const FillOutcome unknown = SampleAuthorText(target, "Nobody, Noone");
    EXPECT_FALSE(unknown.found);
    EXPECT_FALSE(unknown.replaced);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(Shown(), "the old text");

    // STARTID = ENDID: the draw would never end.
    const FillOutcome empty = SampleAuthorText(target, "Watts, Isaac");
    EXPECT_FALSE(empty.replaced);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, NoSamplesMessage("Watts, Isaac"));
    EXPECT_EQ(ui.messages[0].caption, "db error");
    EXPECT_EQ(Shown(), "the old text");
    EXPECT_FALSE(ui.waitVisible);

    // A quote in the name is a name, not a broken statement.
    EXPECT_FALSE(SampleAuthorText(target, "O'Brien, Flann").found);
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(FillTest, WordbookOfSingleWordsGivesThreeHundredWords) {
    AddWordbook("plain words", "plainwords5", {"alpha", "beta", "gamma"});
    rng::Seed(5);
    FillTarget target = Main();
    const FillOutcome outcome = SampleWordbook(target, "plain words");
    ASSERT_TRUE(outcome.replaced);
    EXPECT_EQ(outcome.text.front(), ' ');
    const auto words = SplitSpaces(outcome.text);
    EXPECT_EQ(words.size(), 300u);
    for (const auto& w : words) EXPECT_TRUE(w == "alpha" || w == "beta" || w == "gamma") << w;
    EXPECT_TRUE(form.m_undoText.empty());
    EXPECT_EQ(ui.waitShown, 0);
}

TEST_F(FillTest, PhraseEntriesGiveOneOfTheirSecondToEleventhWords) {
    AddWordbook("phrases", "phrases5", {"w0 w1 w2 w3 w4 w5 w6 w7 w8 w9"});
    rng::Seed(9);
    FillTarget target = Main();
    const FillOutcome outcome = SampleWordbook(target, "phrases");
    const auto words = SplitSpaces(outcome.text);
    // k = 10 finds no token and adds nothing; k = 0 only when rand gives 0.
    EXPECT_LT(words.size(), 300u);
    EXPECT_GT(words.size(), 240u);
    for (const auto& w : words) EXPECT_NE(w, "w0");
    std::set<std::string> seen(words.begin(), words.end());
    EXPECT_EQ(seen.size(), 9u);
}

TEST_F(FillTest, EmptyAndUnknownWordbooksSayWhyAndKeepTheText) {
    FillTarget target = Main();
    const FillOutcome empty = SampleWordbook(target, "velnarphrases");
    EXPECT_FALSE(empty.replaced);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, EmptyWordbookMessage("velnarphrases"));

    const FillOutcome unknown = SampleWordbook(target, "no \"such\" book");
    EXPECT_FALSE(unknown.found);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, NoWordbookMessage("no \"such\" book"));

    // A catalogue row whose table is gone.
    Execute("INSERT INTO wordbooks (BOOKNAME,TABLENAME) VALUES('ghost','ghost9')");
    EXPECT_FALSE(SampleWordbook(target, "ghost").replaced);
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[2].text.rfind(UnreadableWordbookMessage("ghost", "ghost9"), 0), 0u);
    EXPECT_EQ(Shown(), "the old text");
    EXPECT_FALSE(mainDb.IsOpen());
}

TEST_F(FillTest, AWordbookChosenInTheListIsDrawnFromByItsRecord) {
    AddWordbook("twin", "twin7", {"first"});
    AddWordbook("twin", "twin8", {"second"});
    FillTarget target = Main();
    const FillOutcome outcome = SampleWordbook(target, "twin", 6);
    ASSERT_TRUE(outcome.replaced);
    for (const auto& w : SplitSpaces(outcome.text)) ASSERT_EQ(w, "second");
}

class ScriptedChooser : public AuthorChooser {
public:
    std::optional<AuthorChoice> answer;
    std::string askedPath;
    std::optional<AuthorChoice> ChooseAuthorOrWordbook(const std::string& path) override {
        askedPath = path;
        return answer;
    }
};

TEST_F(FillTest, TheAuthorsButtonRunsAtMostOneSampling) {
    FillTarget target = Main();
    ScriptedChooser chooser;
    EXPECT_FALSE(FillAuthorOrWordbook(target, chooser).replaced);  // cancelled
    EXPECT_EQ(chooser.askedPath, DatabasePath());

    chooser.answer = AuthorChoice{"Select Author", "Select Wordbook"};
    EXPECT_FALSE(FillAuthorOrWordbook(target, chooser).replaced);
    EXPECT_EQ(Shown(), "the old text");

    chooser.answer = AuthorChoice{"Select Author", "nonsensewords"};
    const FillOutcome book = FillAuthorOrWordbook(target, chooser);
    ASSERT_TRUE(book.replaced);
    for (const auto& w : SplitSpaces(book.text)) EXPECT_TRUE(w == "blorp" || w == "zintle") << w;

    chooser.answer = AuthorChoice{"Milton, John", "nonsensewords"};
    const FillOutcome author = FillAuthorOrWordbook(target, chooser);
    ASSERT_TRUE(author.replaced);
    EXPECT_EQ(author.text.find("blorp"), std::string::npos);
}

}  // namespace
