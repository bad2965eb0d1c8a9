#pragma once
#include "form/TrackState.h"
#include "richtext/RichEditControl.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Entries of the collage style lists (main form 1090 and each track's 1093).
inline constexpr std::array<const char*, 6> kCollageStyles{
    "Plain - Solid BG", "Plain - NO BG", "Stamp Kit", "Ransom Note", "LCD Screen", "Metal"};

// Everything the main form holds, at the values it has once the window is up.
// Widgets are views of this; commands read and write it, so they run the same
// with a window, on the command line and in tests.
struct MainFormState {
    MainFormState();

    // Control 1004: the main text, Courier 12 pt at start.
    std::unique_ptr<RichEditControl> m_mainText;

    // Track faders 1008, 1024, 1028, 1032 (tracks 1..4), 0..200.
    static constexpr int kFaderMax = 200;
    std::array<int, 4> m_trackFader{100, 100, 100, 100};
    // Text volume 1091 (0..40) and image volume 1092 (0..20).
    static constexpr int kTextVolumeMax = 40;
    static constexpr int kImageVolumeMax = 20;
    int m_textVolume = 20;
    int m_imageVolume = 10;

    // The four track windows' state (index 0 = track 1).
    std::array<TrackState, 4> m_tracks;
    // Track n is mixed into collages. Track 1 is shown when the form starts,
    // so it starts on.
    std::array<bool, 4> m_trackWindowOpen{true, false, false, false};

    // RTF of the main text saved before an edit.
    std::string m_undoText;

    // Words-per-snip radios 1031, 1035, 1036, 1037, 1043, 1056, 1057 ("1".."7").
    std::array<bool, 7> m_wordsPerSnipRadio{true, false, false, false, false, false, false};

    // Palette colour, 0x00BBGGRR: background of the main text and of its
    // "Plain - Solid BG" snips.
    std::uint32_t m_backgroundColour = 0xFFFFFF;

    // Output location of the page; the folder normally ends with "/".
    std::string m_outputFolder;
    std::string m_outputFileName = "collage1.html";
    // Text of the read-only edit 1086 (folder and file name run together).
    std::string m_outputFileText = "collage1.html";

    // Base of the words database, the track databases, the manual and the
    // art fonts: the user's data folder.
    std::string m_dataFolder;
    // Folder of the user's own pictures; text of edit 1088 once chosen.
    std::string m_customImageFolder = "/";
    std::string m_customFolderText;

    // The generator's state right before the last GO (from its result):
    // seeding with it gives that page again. None before the first GO.
    std::optional<std::uint32_t> m_lastSeed;
    // The cut-up board's arrangement as a session keeps it (see Session).
    std::string m_boardPath;
    std::string m_boardPage;
    std::vector<std::string> m_boardKept;

    // Check boxes and radios of the main settings.
    bool m_useCustomFolder = false;  // 1104 "Folder:"
    bool m_showMain = true;          // 1089 "Show Main, Style:"
    int m_mainStyle = 0;             // list 1090
    bool m_textOverImages = true;    // 1100 "Text Over Images"
    bool m_captureCode = true;       // 1101 "F.F. Capture Code"
    // View > "Mark Sources in Page": each snip's div names its source.
    bool m_markSources = false;
    bool m_portrait = false;         // 1102, never read
    bool m_landscape = false;        // 1103

    // 1..7 from the radios; none of "2".."7" checked gives 1.
    int WordsPerSnip() const;
    // Sets the radios so that exactly "n" is checked (n 1..7).
    void SetWordsPerSnip(int n);
    // The words database of the data folder.
    std::string DatabasePath() const { return m_dataFolder + "/words6.db"; }
};
