// SPDX-License-Identifier: GPL-3.0-or-later
// The output location, the choosers of the main form and its start state.
#include "CollageFixture.h"

#include "composer/OutputSettings.h"
#include "mainform/MainCommands.h"
#include "ScriptedUserInterface.h"

using namespace fixture;

class OutputLocation : public CollageTest {};
class FormSettings : public CollageTest {};

TEST_F(OutputLocation, ChosenOutputFileSplitsIntoFolderAndNameAndStoresTheFolder) {
    ScriptedUserInterface ui;
    ui.saveAnswers.push_back(FileChoice{"/d/Pages/party.html", "party.html"});
    state.m_outputFolder = "/stored/";
    ChooseOutputFile(state, ui);
    // The dialog opens in the current output folder.
    EXPECT_EQ(ui.saveInitialNames, std::vector<std::string>{"/stored/collage1.html"});
    EXPECT_EQ(state.m_outputFolder, "/d/Pages/");
    EXPECT_EQ(state.m_outputFileName, "party.html");
    EXPECT_EQ(state.m_outputFileText, "/d/Pages/party.html");
    EXPECT_TRUE(ui.messages.empty());
    // Only the folder outlives the program.
    MainFormState next;
    next.m_dataFolder = dataFolder;
    ScriptedUserInterface quiet;
    StartMainForm(next, quiet);
    EXPECT_EQ(next.m_outputFolder, "/d/Pages/");
    EXPECT_EQ(next.m_outputFileName, "collage1.html");
    EXPECT_EQ(next.m_outputFileText, "/d/Pages/collage1.html");
}

TEST_F(OutputLocation, FileNamedLikeItsFolderKeepsTheWholeFolder) {
    ScriptedUserInterface ui;
    ui.saveAnswers.push_back(FileChoice{"/x/collage1.html/collage1.html", "collage1.html"});
    ChooseOutputFile(state, ui);
    EXPECT_EQ(state.m_outputFolder, "/x/collage1.html/");
}

TEST_F(OutputLocation, ShortOrMissingFolderIsRefused) {
    for (const FileChoice& choice :
         {FileChoice{"/a.html", "a.html"}, FileChoice{"b.html", "b.html"}, FileChoice{"/p/q.html", "other.html"}}) {
        ScriptedUserInterface ui;
        ui.saveAnswers.push_back(choice);
        ChooseOutputFile(state, ui);
        ASSERT_EQ(ui.messages.size(), 1u) << choice.path;
        EXPECT_EQ(ui.messages[0].text, "Check output file name");
        EXPECT_EQ(ui.messages[0].caption, "OUTPUT FILENAME ERROR");
    }
    EXPECT_EQ(state.m_outputFolder, outputFolder);
    EXPECT_EQ(state.m_outputFileName, "collage1.html");
    // Cancelled: nothing at all.
    ScriptedUserInterface cancel;
    ChooseOutputFile(state, cancel);
    EXPECT_TRUE(cancel.messages.empty());
    EXPECT_EQ(LoadOutputFolder(state), "/stored/");
}

TEST_F(OutputLocation, FolderWithAnApostropheIsStoredAsItIs) {
    ScriptedUserInterface ui;
    SaveOutputFolder(state, ui, "/it's here/");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(LoadOutputFolder(state), "/it's here/");
}

TEST_F(OutputLocation, StoringFailsWithDbErrorAndKeepsTheShownLocation) {
    Sql("DROP TABLE collagesettings");
    state.m_outputFileText = "before";
    ScriptedUserInterface ui;
    ui.saveAnswers.push_back(FileChoice{"/new/place.html", "place.html"});
    ChooseOutputFile(state, ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "db error");
    EXPECT_EQ(state.m_outputFileText, "before");
    EXPECT_EQ(state.m_outputFolder, "/new/");  // the next collage still goes there
    // Reading fails the same way and gives an empty folder.
    ScriptedUserInterface reader;
    EXPECT_EQ(LoadOutputFolder(state, &reader), "");
    EXPECT_EQ(reader.messages.size(), 1u);
}

TEST_F(OutputLocation, NoStoredRowGivesAnEmptyFolder) {
    Sql("DELETE FROM collagesettings");
    EXPECT_EQ(LoadOutputFolder(state), "");
    Sql("INSERT INTO collagesettings (OUTPUTFOLDER) VALUES(NULL)");
    EXPECT_EQ(LoadOutputFolder(state), "");
}

TEST_F(FormSettings, CustomFolderChooserChecksFolderEvenWhenCancelled) {
    ScriptedUserInterface ui;
    ChooseCustomImageFolder(state, ui);
    ASSERT_EQ(ui.folderTitles, std::vector<std::string>{"Custom GIF Images Folder:"});
    EXPECT_TRUE(state.m_useCustomFolder);
    EXPECT_EQ(state.m_customFolderText, "/");
    ui.folderAnswers.push_back(FolderChoice{1, "/home/me/gifs"});
    ChooseCustomImageFolder(state, ui);
    EXPECT_EQ(state.m_customImageFolder, "/home/me/gifs");
    EXPECT_EQ(state.m_customFolderText, "/home/me/gifs");
    ui.folderAnswers.push_back(FolderChoice{-1, "/ignored"});
    ChooseCustomImageFolder(state, ui);
    EXPECT_EQ(state.m_customImageFolder, "/home/me/gifs");
}

TEST_F(FormSettings, PaletteColourIsTheMainTextBackground) {
    SetMainText("some text");
    ScriptedUserInterface ui;
    ui.colourAnswers.push_back(0x3366CC);
    ChoosePaletteColour(state, ui);
    EXPECT_EQ(state.m_backgroundColour, 0x3366CCu);
    EXPECT_EQ(state.m_mainText->BackgroundColour(), 0x3366CCu);
    ChoosePaletteColour(state, ui);  // cancelled
    EXPECT_EQ(state.m_backgroundColour, 0x3366CCu);
    // Solid main snips take it, as #RRGGBB.
    state.m_textVolume = 2;
    state.m_imageVolume = 0;
    state.m_trackWindowOpen = {false, false, false, false};
    std::vector<Item> items = ItemsOf(Compose(1));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].background, "background-color:#CC6633;");
}

TEST(MainFormStart, StartValuesOfTheWindow) {
    MainFormState state;
    EXPECT_EQ(MainTextFontSpan(state), "<font face='Courier' color='#000000'><span style='font-size:12pt;'>");
    EXPECT_EQ(state.m_tracks[2].GetTextStylePrefix(),
              "<font face='Courier' color='#000000'><span style='font-size:10pt;'>");
    EXPECT_EQ(state.m_trackFader, (std::array<int, 4>{100, 100, 100, 100}));
    EXPECT_EQ(state.m_textVolume, 20);
    EXPECT_EQ(state.m_imageVolume, 10);
    EXPECT_EQ(state.WordsPerSnip(), 1);
    EXPECT_TRUE(state.m_showMain && state.m_textOverImages && state.m_captureCode);
    EXPECT_FALSE(state.m_useCustomFolder || state.m_landscape || state.m_portrait);
    EXPECT_EQ(state.m_trackWindowOpen, (std::array<bool, 4>{true, false, false, false}));
    EXPECT_EQ(state.m_outputFileName, "collage1.html");
    EXPECT_EQ(state.m_backgroundColour, 0xFFFFFFu);
    EXPECT_EQ(kCollageStyles[0], std::string("Plain - Solid BG"));
    EXPECT_EQ(kCollageStyles[5], std::string("Metal"));
    for (const TrackState& track : state.m_tracks) {
        EXPECT_EQ(track.GetWordsPerCut(), 1);
        EXPECT_EQ(track.GetCollageStyle(), 0);
        EXPECT_FALSE(track.IsUseWhole());
        EXPECT_EQ(track.m_trackColour, 0xFFFFFFu);
        EXPECT_EQ(track.m_trackDatabasePath, state.m_dataFolder + "/words6.db");
    }
}

TEST(MainFormStart, WordsPerSnipAndCutOutOfRangeGiveOne) {
    MainFormState state;
    for (int n = 1; n <= 7; ++n) {
        state.SetWordsPerSnip(n);
        EXPECT_EQ(state.WordsPerSnip(), n);
    }
    // No radio of that number: as when none but "1" was checked.
    for (int n : {0, 8, -3}) {
        state.SetWordsPerSnip(n);
        EXPECT_EQ(state.WordsPerSnip(), 1) << n;
    }
    TrackState& track = state.m_tracks[0];
    for (int n = 1; n <= 6; ++n) {
        track.SetWordsPerCut(n);
        EXPECT_EQ(track.GetWordsPerCut(), n);
    }
    track.SetWordsPerCut(7);
    EXPECT_EQ(track.GetWordsPerCut(), 1);
}
