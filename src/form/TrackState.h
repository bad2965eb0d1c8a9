#pragma once
#include "richtext/RichEditControl.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

// The state of one track window: its text and the settings the composer and
// the shredder read. The window (when there is one) is a view of this.
struct TrackState {
    TrackState();

    // Control 1004 of the track window; Courier 10 pt at start. The window may
    // swap in its own implementation.
    std::unique_ptr<RichEditControl> m_trackText;
    // Palette colour, 0x00BBGGRR.
    std::uint32_t m_trackColour = 0xFFFFFF;
    // RTF saved before the last fill, shred or open; Undo streams it back.
    std::string m_trackUndoText;
    // The words database used by this track's fill and author commands.
    std::string m_trackDatabasePath;
    // The name of the file last opened into the track, to name it as a source.
    std::string m_trackFileName;

    // Words-per-cut radios 1020, 1021, 1022, 1023, 1028, 1029 (captions 1..6).
    std::array<bool, 6> m_wordsPerCutRadio{true, false, false, false, false, false};
    // Fragment type radios: 1014 "Prefix", 1015 "Suffix".
    std::array<bool, 2> m_fragmentTypeRadio{true, false};
    // Fragment size radios 1011, 1012, 1013 (captions 3, 4, 5).
    std::array<bool, 3> m_fragmentSizeRadio{true, false, false};
    // Selected entry of the collage style list 1093 (0..5).
    int m_collageStyle = 0;
    // Check box 1094 "Use Whole (no cuts)".
    bool m_useWhole = false;

    // 6 if the last radio is checked, else 5, ... else 1.
    int GetWordsPerCut() const;
    // Checks exactly radio "n" (n 1..6).
    void SetWordsPerCut(int n);
    int GetCollageStyle() const { return m_collageStyle; }
    bool IsUseWhole() const { return m_useWhole; }
    // The font span that opens a text item in this track's font.
    std::string GetTextStylePrefix() const;
    void SetDatabasePath(const std::string& path) { m_trackDatabasePath = path; }
};
