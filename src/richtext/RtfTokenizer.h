// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

// The parts of reading RTF that the text extractor and the document reader
// share, so that both read a word processor's document alike: the lexing of
// control words, what a control word means for the text a reader sees, and
// the characters of symbol fonts.
namespace rtf {

// A control word (its letters) or a control symbol (its one character).
struct ControlWord {
    std::string_view word;
    std::int64_t parameter = 0;  // saturates at the 32-bit limits
    bool hasParameter = false;
};

// Reads the control word that starts at in[pos], just after its backslash,
// and moves pos past it and the space that ends it. A backslash before a
// carriage return and line feed is the one symbol "\n". False when the text
// ends inside the word (right after the backslash or a '-').
bool ReadControlWord(std::string_view in, std::size_t& pos, ControlWord& word);

// The value of a hexadecimal digit, -1 for anything else.
int HexValue(int c);

// What a control word stands for in the text.
enum class Role : std::uint8_t {
    kNone,                // formatting or unknown: nothing
    kParagraph,           // ends a paragraph (also rows, sections, pages)
    kLineBreak,           // a line break within the paragraph
    kCharacter,           // one character (tab, quotes, dashes, spaces, bullet)
    kSkippedDestination,  // a group that holds no document text
    kTextDestination,     // a group whose text is document text even when marked \*
    kFootnoteMark,        // the automatic footnote number
};

struct Meaning {
    Role role = Role::kNone;
    char32_t character = 0;  // with kCharacter
};

// Font and colour tables are each reader's own business and mean kNone here.
Meaning MeaningOf(std::string_view word);

// Fonts whose character codes are pictures rather than letters.
enum class SymbolFont : std::uint8_t { kNone, kSymbol, kWingdings };

// By the font's name (case does not matter; "Symbol", "Wingdings").
SymbolFont SymbolFontOfName(std::string_view face);

// The Unicode character that `code` shows in the font; 0 when the table has
// none (the code is then no known character).
char32_t SymbolCharacter(SymbolFont font, std::uint8_t code);

// A symbol font's character written as \uN lies in U+F020..U+F0FF (code
// plus 0xF000): the character it shows, else `cp` as it is (also in any
// other font, where a private-use character may be meant as one).
char32_t FromPrivateUse(SymbolFont font, char32_t cp);

}  // namespace rtf
