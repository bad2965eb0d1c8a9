// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

struct TrackState;

// Cuts every word of a text down to its first or last few characters. Words
// are the fields between single spaces (code 32) and nothing else, so a run of
// spaces gives empty words and line feeds stay inside a word. Lengths count
// the characters a reader sees (grapheme clusters): no letter is cut from
// its accent, no multi-byte character cut in two. A leading byte-order mark
// is dropped.
enum class FragmentType { Prefix, Suffix };

struct ShredSettings {
    FragmentType type = FragmentType::Prefix;
    int size = 3;  // 3, 4 or 5
};

// Each word, shortened to `size` characters when longer, followed by one space.
std::string ShredWords(std::string_view text, const ShredSettings& settings);
// The same, appended to `out` (batch use: no string per line).
void AppendShreddedWords(std::string& out, std::string_view text, const ShredSettings& settings);

// The track's "Word Shredder" radios: size 5 if its radio is checked, else 4,
// else 3; suffix only when "Suffix" is checked and "Prefix" is not.
ShredSettings ShredSettingsOf(const TrackState& track);

// The shred button: saves the track's text for Undo, then replaces it with the
// shredded words as plain text (every character shown as it is, no trailing
// space) and scrolls back to the top.
void ShredTrack(TrackState& track);
