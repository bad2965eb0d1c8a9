// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/FontDefaults.h"

#include "support/SafeFile.h"

#include <cstdlib>
#include <fstream>

std::string FontDefaultsPath(const std::string& dataFolder) { return dataFolder + "/" + kFontDefaultsFile; }

std::optional<SavedFont> ReadFontDefaults(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    if (!in || !std::getline(in, line)) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t bar = line.find('|');
    if (bar == std::string::npos || bar == 0) return std::nullopt;
    SavedFont font{line.substr(0, bar), std::atoi(line.c_str() + bar + 1)};
    // A zero or negative height would make the text invisible.
    if (font.heightTwips <= 0) return std::nullopt;
    return font;
}

bool WriteFontDefaults(const std::string& path, const SavedFont& font) {
    std::string problem;
    return WriteFileReplacing(path, font.face + "|" + std::to_string(font.heightTwips), problem);
}

void ApplySavedFont(RichEditControl& text, const std::string& dataFolder) {
    if (std::optional<SavedFont> saved = ReadFontDefaults(FontDefaultsPath(dataFolder))) {
        CharFormat format;
        format.mask = CharFormat::kFace | CharFormat::kSize;
        format.face = saved->face;
        format.heightTwips = saved->heightTwips;
        text.SetDefaultCharFormat(format);
        return;
    }
    ApplyStartFont(text, kMainTextStartPoints);
}

void ApplyStartFont(RichEditControl& text, int points) {
    // Size first, then face, as the windows set them.
    CharFormat size;
    size.mask = CharFormat::kSize;
    size.heightTwips = points * 20;
    text.SetDefaultCharFormat(size);
    CharFormat face;
    face.mask = CharFormat::kFace;
    face.face = kStartFace;
    text.SetDefaultCharFormat(face);
}
