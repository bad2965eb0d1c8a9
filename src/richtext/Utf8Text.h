// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// UTF-8 and Windows-1252 helpers of the RTF readers and writer.
namespace utf8text {

constexpr char32_t kReplacement = 0xFFFD;

// Appends the UTF-8 form of `cp` (surrogates and values past U+10FFFF
// become U+FFFD).
void Append(std::string& out, char32_t cp);

// The character a Windows-1252 byte stands for.
char32_t FromCp1252(std::uint8_t byte);

// Decodes one well-formed UTF-8 sequence at text[pos]; on success advances
// pos past it. Returns -1 (and leaves pos) when the bytes there are not one.
long Decode(std::string_view text, std::size_t& pos);

// The character at text[pos]: a well-formed UTF-8 sequence, else the one
// byte read as Windows-1252. Advances pos past what it read.
char32_t NextCharacter(std::string_view text, std::size_t& pos);

// Appends `cp` the way RTF writes a character beyond ASCII: \uN? with N the
// signed 16-bit unit, a surrogate pair beyond U+FFFF.
void AppendRtfUnicode(std::string& out, char32_t cp);

// Number of code points (a malformed byte counts as one).
std::size_t CountCodePoints(std::string_view text);
// Byte offset of code point `index` in `text` (text.size() past the end).
std::size_t OffsetOfCodePoint(std::string_view text, std::size_t index);

// Byte offset just past the grapheme cluster (a character with its marks,
// a Hangul syllable, an emoji sequence) that starts at text[pos]. A
// malformed byte is a cluster of its own.
std::size_t GraphemeEnd(std::string_view text, std::size_t pos);
// Number of grapheme clusters: the characters a reader sees.
std::size_t CountGraphemes(std::string_view text);

// The byte-order mark, U+FEFF in UTF-8.
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace utf8text
