// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "richtext/RtfTokenizer.h"

#include <cstdint>
#include <map>
#include <string_view>

// 8-bit text in the Windows code pages that RTF documents name (\ansicpgN,
// a font's \fcharsetN or \cpgN), turned into Unicode. Windows-1252 is built
// in; the other pages come from the C library's iconv. Unknown pages read as
// Windows-1252.
namespace codepage {

struct PageTable;

constexpr int kWindows1252 = 1252;
// The fonts whose codes are pictures read as pages of their own: Symbol is
// the system's CP_SYMBOL, Wingdings a number no real page uses.
constexpr int kSymbolPage = 42;
constexpr int kWingdingsPage = 1000042;

// The code page that an RTF \fcharsetN names; 0 when it names none of its
// own (ANSI, default, symbol and unknown sets follow the document).
int FromCharset(int charset);

// Feeds the bytes of one code page and hands out characters. Two-byte
// pages (932, 936, 949, 950, 1361) keep a lead byte until its trail byte
// arrives.
class ByteDecoder {
public:
    static constexpr long kPending = -1;

    // Switches the page; a lead byte still waiting is dropped.
    void SetCodePage(int codePage);
    int CodePage() const { return m_codePage; }

    // The character the byte completes, or kPending after a lead byte. A
    // byte the page does not define gives U+FFFD. In a symbol font every
    // code, ASCII too, is the picture's character.
    long Feed(std::uint8_t byte);
    // True while a lead byte waits for its trail byte.
    bool HasPending() const { return m_lead != 0; }
    bool IsSymbolFont() const { return m_symbol != rtf::SymbolFont::kNone; }
    // Forgets a waiting lead byte; returns true when there was one.
    bool DropPending() {
        const bool had = m_lead != 0;
        m_lead = 0;
        return had;
    }

private:
    const PageTable& Table();

    int m_codePage = kWindows1252;
    rtf::SymbolFont m_symbol = rtf::SymbolFont::kNone;
    const PageTable* m_table = nullptr;  // of m_codePage, looked up once
    std::uint8_t m_lead = 0;
};

// The code pages of one document: the document's own and each font's.
class DocumentCodePages {
public:
    void SetDocumentPage(int codePage) { m_document = codePage > 0 ? codePage : kWindows1252; }
    void SetFontCharset(int font, int charset) { m_charsets[font] = charset; }
    void SetFontPage(int font, int codePage) { m_pages[font] = codePage; }
    // The font table's name of `font`: a symbol font's codes are pictures.
    void SetFontName(int font, std::string_view name);
    // The page that text in `font` is written in.
    int PageOfFont(int font) const;
    rtf::SymbolFont SymbolFontOf(int font) const;

private:
    std::map<int, rtf::SymbolFont> m_symbols;
    int m_document = kWindows1252;
    std::map<int, int> m_charsets;
    std::map<int, int> m_pages;
};

}  // namespace codepage
