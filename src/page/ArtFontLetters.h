// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

// The folder of the letter pictures of a lettered style (2 "Stamp Kit",
// 3 "Ransom Note", 4 "LCD Screen", 5 "Metal"); any other index gives Stamp Kit.
const char* ArtFontPrefix(int styleIndex);

// One picture tag per character (grapheme cluster): a..z (either case) their
// own picture, a Latin letter with marks its base letter's (é as e), ß æ œ ĳ
// two pictures (ss, ae, oe, ij), anything else "space.gif"; then "<BR>".
std::string BuildArtFontLetters(std::string_view text, int styleIndex);
