// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "richtext/RichEditControl.h"

#include <optional>
#include <string>

// The main text's font outlives a run in "fdefaults.txt" in the data folder:
// one line, face name, "|", height in twips.

struct SavedFont {
    std::string face;
    int heightTwips = 0;
};

inline constexpr const char* kFontDefaultsFile = "fdefaults.txt";

std::string FontDefaultsPath(const std::string& dataFolder);

// The font of the file's first line; nothing when the file is missing or
// its line is not "face|twips" with a face and a positive height.
std::optional<SavedFont> ReadFontDefaults(const std::string& path);
// Creates or truncates the file; false when it cannot be written.
bool WriteFontDefaults(const std::string& path, const SavedFont& font);

// The font of a text area nobody has chosen one for: Courier, 12 pt in the
// main text and 10 pt in a track.
inline constexpr const char* kStartFace = "Courier";
inline constexpr int kMainTextStartPoints = 12;
inline constexpr int kTrackStartPoints = 10;
void ApplyStartFont(RichEditControl& text, int points);

// Gives the main text the saved font of `dataFolder`, else the start font.
void ApplySavedFont(RichEditControl& text, const std::string& dataFolder);
