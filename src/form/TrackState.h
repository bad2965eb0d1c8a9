// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "form/Settings.h"
#include "richtext/DocumentRichEdit.h"

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
    std::unique_ptr<DocumentRichEdit> m_trackText;
    // Palette colour, 0x00BBGGRR.
    std::uint32_t m_trackColour = settings::kTrackColour.initial;
    // RTF saved before the last fill, shred or open; Undo streams it back.
    std::string m_trackUndoText;
    // The words database used by this track's fill and author commands.
    std::string m_trackDatabasePath;
    // The name of the file last opened into the track, to name it as a source.
    std::string m_trackFileName;

    // Words per cut, as the radios 1020, 1021, 1022, 1023, 1028, 1029 (captions 1..6) show it.
    int m_wordsPerCut = settings::kWordsPerCut.initial;
    // The shredder's fragment type, as radios 1014 "Prefix" and 1015 "Suffix" show it.
    static constexpr int kPrefix = 0;
    static constexpr int kSuffix = 1;
    int m_fragmentType = settings::kFragmentType.initial;
    // Letters of a fragment, as radios 1011, 1012, 1013 (captions 3, 4, 5) show it.
    int m_fragmentSize = settings::kFragmentSize.initial;
    // Selected entry of the collage style list 1093.
    int m_collageStyle = settings::kTrackStyle.initial;
    // Check box 1094 "Use Whole (no cuts)".
    bool m_useWhole = settings::kUseWhole.initial != 0;

    int GetWordsPerCut() const { return m_wordsPerCut; }
    // n 1..6; any other number gives 1, as no radio checked did.
    void SetWordsPerCut(int n);
    int GetCollageStyle() const { return m_collageStyle; }
    bool IsUseWhole() const { return m_useWhole; }
    // The font span that opens a text item in this track's font.
    std::string GetTextStylePrefix() const;
    void SetDatabasePath(const std::string& path) { m_trackDatabasePath = path; }
};
