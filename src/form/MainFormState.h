// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "form/Settings.h"
#include "form/TrackState.h"
#include "richtext/DocumentRichEdit.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Everything the main form holds, at the values it has once the window is up.
// Widgets are views of this; commands read and write it, so they run the same
// with a window, on the command line and in tests.
struct MainFormState {
    MainFormState();

    // Control 1004: the main text, Courier 12 pt at start.
    std::unique_ptr<DocumentRichEdit> m_mainText;

    // Track faders 1008, 1024, 1028, 1032 (tracks 1..4).
    std::array<int, 4> m_trackFader{settings::kFader.initial, settings::kFader.initial, settings::kFader.initial,
                                    settings::kFader.initial};
    // Text volume 1091 and image volume 1092.
    int m_textVolume = settings::kTextVolume.initial;
    int m_imageVolume = settings::kImageVolume.initial;

    // The four track windows' state (index 0 = track 1).
    std::array<TrackState, 4> m_tracks;
    // Track n is mixed into collages. Track 1 is shown when the form starts,
    // so it starts on; the others start as their setting does.
    std::array<bool, 4> m_trackWindowOpen{true, settings::kTrackOn.initial != 0, settings::kTrackOn.initial != 0,
                                          settings::kTrackOn.initial != 0};

    // RTF of the main text saved before an edit.
    std::string m_undoText;

    // Words per snip, as the radios 1031, 1035, 1036, 1037, 1043, 1056, 1057 ("1".."7") show it.
    int m_wordsPerSnip = settings::kWordsPerSnip.initial;

    // Palette colour, 0x00BBGGRR: background of the main text and of its
    // "Plain - Solid BG" snips.
    std::uint32_t m_backgroundColour = settings::kPalette.initial;

    // Output location of the page; the folder normally ends with "/".
    std::string m_outputFolder{settings::kOutputFolder.initialText};
    std::string m_outputFileName{settings::kOutputFileName.initialText};
    // Text of the read-only edit 1086 (folder and file name run together).
    std::string m_outputFileText = m_outputFolder + m_outputFileName;

    // Base of the words database, the track databases, the manual and the
    // art fonts: the user's data folder.
    std::string m_dataFolder;
    // Folder of the user's own pictures; text of edit 1088 once chosen.
    std::string m_customImageFolder{settings::kCustomImageFolder.initialText};
    std::string m_customFolderText{settings::kCustomFolderText.initialText};

    // The generator's state right before the last GO (from its result):
    // seeding with it gives that page again. None before the first GO.
    std::optional<std::uint32_t> m_lastSeed;
    // The cut-up board's arrangement as a session keeps it (see Session).
    std::string m_boardPath;
    std::string m_boardPage;
    std::vector<std::string> m_boardKept;

    // Check boxes and radios of the main settings.
    bool m_useCustomFolder = settings::kUseCustomFolder.initial != 0;  // 1104 "Folder:"
    bool m_showMain = settings::kShowMain.initial != 0;                // 1089 "Show Main, Style:"
    int m_mainStyle = settings::kMainStyle.initial;                    // list 1090
    bool m_textOverImages = settings::kTextOverImages.initial != 0;    // 1100 "Text Over Images"
    bool m_captureCode = settings::kCaptureCode.initial != 0;          // 1101 "F.F. Capture Code"
    // View > "Mark Sources in Page": each snip's div names its source.
    bool m_markSources = settings::kMarkSources.initial != 0;
    // View > "Show GO on the Board": GO's page goes onto the board.
    bool m_goOnBoard = false;
    bool m_portrait = settings::kPortrait.initial != 0;    // 1102, never read
    bool m_landscape = settings::kLandscape.initial != 0;  // 1103

    int WordsPerSnip() const { return m_wordsPerSnip; }
    // n 1..7; any other number gives 1, as no radio but "1" checked did.
    void SetWordsPerSnip(int n);
    // The words database of the data folder.
    std::string DatabasePath() const { return m_dataFolder + "/words6.db"; }
};
