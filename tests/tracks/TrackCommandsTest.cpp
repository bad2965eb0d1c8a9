// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/TrackState.h"
#include "richtext/RichTextOps.h"
#include "ScratchFolder.h"
#include "ScriptedUserInterface.h"
#include "TestFiles.h"
#include "tracks/TrackCommands.h"
#include "tracks/WordShredder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// Words of a plain text, ignoring how the renderer spaced them.
std::vector<std::string> WordsOf(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

class TrackCommandsTest : public ::testing::Test {
protected:
    std::string WriteFile(const std::string& name, const std::string& content) {
        ::WriteFile(folder / name, content);
        return folder / name;
    }
    void ChooseFile(const std::string& path) { ui.openAnswers.push_back(FileChoice{path, fs::path(path).filename()}); }
    std::vector<std::string> TrackWords() { return WordsOf(PlainTextOf(*track.m_trackText)); }

    ScratchFolder folder;
    TrackState track;
    ScriptedUserInterface ui;
};

TEST(JoinFirstLines, JoinsUpToTheLimitEachLineFollowedByASpace) {
    std::istringstream lf("one\ntwo\n\nfour");
    EXPECT_EQ(JoinFirstLines(lf, 100), "one two  four ");
    std::istringstream crlf("one\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(JoinFirstLines(crlf, 2), "one two ");
    std::istringstream empty("");
    EXPECT_EQ(JoinFirstLines(empty, 100), "");
}

TEST_F(TrackCommandsTest, OpenFillsTheTrackWithTheFirstHundredLines) {
    std::string content;
    for (int i = 1; i <= 150; ++i) content += "line" + std::to_string(i) + "\n";
    ChooseFile(WriteFile("long.txt", content));
    LoadMarkup(*track.m_trackText, "an hour of pasted text");

    OpenTrackFile(track, ui);

    const auto words = TrackWords();
    ASSERT_EQ(words.size(), 100u);
    EXPECT_EQ(words.front(), "line1");
    EXPECT_EQ(words.back(), "line100");
    // The text the file replaced comes back with Undo.
    UndoTrack(track);
    EXPECT_EQ(TrackWords(), (std::vector<std::string>{"an", "hour", "of", "pasted", "text"}));
}

TEST_F(TrackCommandsTest, OpenThatFindsNoReadableFileLeavesTheTextAlone) {
    LoadMarkup(*track.m_trackText, "typed words");
    ui.openAnswers.push_back(std::nullopt);          // cancelled
    ui.openAnswers.push_back(FileChoice{"/", "/"});  // one character
    ui.openAnswers.push_back(FileChoice{folder / "missing.txt", "missing.txt"});
    ui.openAnswers.push_back(FileChoice{folder.path(), fs::path(folder.path()).filename()});  // a folder
    track.m_trackUndoText = "{\\rtf1 kept}";
    for (int i = 0; i < 4; ++i) OpenTrackFile(track, ui);

    EXPECT_EQ(TrackWords(), (std::vector<std::string>{"typed", "words"}));
    // The missing file and the folder are named; a cancel and "/" say nothing.
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_NE(ui.messages[0].text.find("missing.txt"), std::string::npos);
    EXPECT_NE(ui.messages[1].text.find("is a folder"), std::string::npos);
    EXPECT_EQ(track.m_trackUndoText, "{\\rtf1 kept}");
}

// A text file is text: what looks like a tag, an entity or an address is
// kept word for word, by Open and by Shred after it.
TEST_F(TrackCommandsTest, OpenAndShredKeepEveryCharacterOfAPlainTextFile) {
    const std::string text = "alpha beta < gamma delta & write to <me@example.org> a<b and c>d </div> <script> x";
    ChooseFile(WriteFile("plain.txt", text + "\n"));
    OpenTrackFile(track, ui);
    EXPECT_EQ(PlainTextOf(*track.m_trackText), text + " \n");
    EXPECT_TRUE(ui.messages.empty());

    track.m_fragmentSize = 5;
    ShredTrack(track);
    EXPECT_EQ(PlainTextOf(*track.m_trackText),
              "alpha beta < gamma delta & write to <me@e a<b and c>d </div <scri x \n");
    // A second shred with the same settings changes nothing.
    ShredTrack(track);
    EXPECT_EQ(TrackWords(), WordsOf("alpha beta < gamma delta & write to <me@e a<b and c>d </div <scri x"));
}

TEST_F(TrackCommandsTest, ShredSavesTheTextForUndoAndUndoBringsItBack) {
    LoadMarkup(*track.m_trackText, "shredding the words text");
    track.m_fragmentType = TrackState::kSuffix;
    track.m_fragmentSize = 4;

    ShredTrack(track);
    // Suffix 4 of the paragraph's last word is its last four letters, not
    // three and the paragraph mark; a word of four keeps all.
    EXPECT_EQ(TrackWords(), (std::vector<std::string>{"ding", "the", "ords", "text"}));
    EXPECT_FALSE(track.m_trackUndoText.empty());

    UndoTrack(track);
    EXPECT_EQ(TrackWords(), (std::vector<std::string>{"shredding", "the", "words", "text"}));
    // Undo takes no snapshot of its own: a second undo gives the same text.
    UndoTrack(track);
    EXPECT_EQ(TrackWords(), (std::vector<std::string>{"shredding", "the", "words", "text"}));
}

TEST_F(TrackCommandsTest, UndoBeforeAnyShredKeepsTheTypedText) {
    LoadMarkup(*track.m_trackText, "nothing to undo yet");
    UndoTrack(track);
    EXPECT_EQ(TrackWords(), (std::vector<std::string>{"nothing", "to", "undo", "yet"}));
}

TEST_F(TrackCommandsTest, ShreddingAnEmptyTrackLeavesItEmpty) {
    ShredTrack(track);
    EXPECT_TRUE(TrackWords().empty());
}

TEST_F(TrackCommandsTest, ShredKeepsMultiByteCharactersWhole) {
    LoadMarkup(*track.m_trackText, "\xC3\xA9t\xC3\xA9 na\xC3\xAFvet\xC3\xA9");
    track.m_fragmentSize = 5;
    ShredTrack(track);
    EXPECT_EQ(TrackWords(), (std::vector<std::string>{"\xC3\xA9t\xC3\xA9", "na\xC3\xAFve"}));
}

TEST(ShredSettingsOf, ReadsTheShredderRadios) {
    TrackState track;
    EXPECT_EQ(ShredSettingsOf(track).size, 3);
    EXPECT_EQ(ShredSettingsOf(track).type, FragmentType::Prefix);
    track.m_fragmentSize = 4;
    track.m_fragmentType = TrackState::kSuffix;
    EXPECT_EQ(ShredSettingsOf(track).size, 4);
    EXPECT_EQ(ShredSettingsOf(track).type, FragmentType::Suffix);
    track.m_fragmentSize = 5;
    EXPECT_EQ(ShredSettingsOf(track).size, 5);
}

TEST_F(TrackCommandsTest, FontDialogIsPresetFromTheTextAndAppliesToAllOfIt) {
    InitialiseTrack(track);
    LoadMarkup(*track.m_trackText, "some words");
    const CharFormat before = [&] {
        track.m_trackText->SelectAll();
        return track.m_trackText->SelectionCharFormat();
    }();
    ui.fontAnswers.push_back(FontChoice{"Serif", 140, 0x0000FF, true, false, true});

    ChangeTrackFont(track, ui);

    ASSERT_EQ(ui.fontPresets.size(), 1u);
    EXPECT_EQ(ui.fontPresets[0].face, before.face);
    EXPECT_EQ(ui.fontPresets[0].pointSizeTenths, before.heightTwips / 2);
    track.m_trackText->SelectAll();
    const CharFormat after = track.m_trackText->SelectionCharFormat();
    EXPECT_TRUE(after.Has(CharFormat::kFace));
    EXPECT_EQ(after.face, "Serif");
    EXPECT_EQ(after.heightTwips, 280);
    EXPECT_EQ(after.textColour, 0x0000FFu);
    EXPECT_TRUE(after.bold);
    EXPECT_FALSE(after.italic);
    EXPECT_TRUE(after.underline);
    // The composer's font span follows the new font.
    EXPECT_EQ(track.GetTextStylePrefix(), "<font face='Serif' color='#FF0000'><span style='font-size:14pt;'>");
}

TEST_F(TrackCommandsTest, CancelledFontDialogChangesNothing) {
    LoadMarkup(*track.m_trackText, "some words");
    const std::string rtf = track.m_trackText->StreamRtfOut();
    ChangeTrackFont(track, ui);
    EXPECT_EQ(track.m_trackText->StreamRtfOut(), rtf);
}

TEST_F(TrackCommandsTest, PaletteSetsTrackColourAndBackgroundOnlyWhenConfirmed) {
    ChooseTrackColour(track, ui);
    EXPECT_EQ(track.m_trackColour, 0xFFFFFFu);

    ui.colourAnswers.push_back(0x00336699u);
    ChooseTrackColour(track, ui);
    EXPECT_EQ(track.m_trackColour, 0x00336699u);
    EXPECT_EQ(track.m_trackText->BackgroundColour(), 0x00336699u);
}

TEST_F(TrackCommandsTest, InitialiseRestoresTheStartSettings) {
    track.SetWordsPerCut(6);
    track.m_fragmentType = TrackState::kSuffix;
    track.m_fragmentSize = 5;
    track.m_collageStyle = 4;
    track.m_useWhole = true;
    track.m_trackColour = 0x123456;

    InitialiseTrack(track);

    EXPECT_EQ(track.GetWordsPerCut(), 1);
    EXPECT_EQ(ShredSettingsOf(track).type, FragmentType::Prefix);
    EXPECT_EQ(ShredSettingsOf(track).size, 3);
    EXPECT_EQ(track.GetCollageStyle(), 0);
    EXPECT_FALSE(track.IsUseWhole());
    EXPECT_EQ(track.m_trackColour, 0xFFFFFFu);
    track.m_trackText->SelectAll();
    const CharFormat format = track.m_trackText->SelectionCharFormat();
    EXPECT_EQ(format.face, "Courier");
    EXPECT_EQ(format.heightTwips, 200);
}

}  // namespace
