// SPDX-License-Identifier: GPL-3.0-or-later
#include "richtext/RtfTokenizer.h"

#include <algorithm>
#include <array>
#include <limits>
#include <unordered_map>

namespace rtf {
namespace {

bool IsAlpha(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

constexpr std::int64_t kLimit = std::numeric_limits<std::int32_t>::max();

const std::unordered_map<std::string_view, Meaning>& Meanings() {
    static const std::unordered_map<std::string_view, Meaning> table = [] {
        std::unordered_map<std::string_view, Meaning> t;
        for (std::string_view w : {"par", "sect", "page", "row", "nestrow"}) t[w] = {Role::kParagraph, 0};
        t["line"] = {Role::kLineBreak, 0};
        for (std::string_view w : {"tab", "cell", "nestcell"}) t[w] = {Role::kCharacter, U'\t'};
        const std::pair<std::string_view, char32_t> characters[] = {
            {"lquote", 0x2018}, {"rquote", 0x2019}, {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"bullet", 0x2022},
            {"endash", 0x2013}, {"emdash", 0x2014}, {"enspace", 0x2002},   {"emspace", 0x2003},   {"qmspace", 0x2005},
        };
        for (const auto& [w, cp] : characters) t[w] = {Role::kCharacter, cp};
        // Field results, and the numbers and bullets of lists, are text the
        // reader sees, however the group is marked.
        for (std::string_view w : {"fldrslt", "listtext", "pntext"}) t[w] = {Role::kTextDestination, 0};
        t["chftn"] = {Role::kFootnoteMark, 0};
        for (std::string_view w : {"stylesheet",   "info",
                                   "pict",         "header",
                                   "headerl",      "headerr",
                                   "headerf",      "footer",
                                   "footerl",      "footerr",
                                   "footerf",      "footnote",
                                   "ftnsep",       "ftnsepc",
                                   "ftncn",        "aftnsep",
                                   "aftnsepc",     "aftncn",
                                   "annotation",   "atnid",
                                   "atnauthor",    "comment",
                                   "doccomm",      "author",
                                   "operator",     "title",
                                   "subject",      "keywords",
                                   "buptim",       "creatim",
                                   "printim",      "revtim",
                                   "private1",     "xe",
                                   "tc",           "txe",
                                   "rxe",          "fldinst",
                                   "object",       "objdata",
                                   "listtable",    "listoverridetable",
                                   "rsidtbl",      "generator",
                                   "themedata",    "colorschememapping",
                                   "datastore",    "latentstyles",
                                   "xmlnstbl",     "revtbl",
                                   "filetbl",      "nonshppict",
                                   "shp",          "shpinst",
                                   "pgdsctbl",     "template",
                                   "docvar",       "bkmkstart",
                                   "bkmkend",      "pn",
                                   "pntxta",       "pntxtb",
                                   "listlevel",    "listname",
                                   "listpicture",  "falt",
                                   "panose",       "fontemb",
                                   "fontfile",     "mmathPr",
                                   "userprops",    "wgrffmtfilter",
                                   "passwordhash", "xform",
                                   "formfield",    "datafield",
                                   "protusertbl",  "ud"})
            t[w] = {Role::kSkippedDestination, 0};
        return t;
    }();
    return table;
}

// Adobe's Symbol encoding, 0x20..0xFF (0: no character).
constexpr std::array<char32_t, 224> kSymbol = {
    0x0020,
    0x0021,
    0x2200,
    0x0023,
    0x2203,
    0x0025,
    0x0026,
    0x220B,
    0x0028,
    0x0029,
    0x2217,
    0x002B,
    0x002C,
    0x2212,
    0x002E,
    0x002F,
    0x0030,
    0x0031,
    0x0032,
    0x0033,
    0x0034,
    0x0035,
    0x0036,
    0x0037,
    0x0038,
    0x0039,
    0x003A,
    0x003B,
    0x003C,
    0x003D,
    0x003E,
    0x003F,
    0x2245,
    0x0391,
    0x0392,
    0x03A7,
    0x0394,
    0x0395,
    0x03A6,
    0x0393,
    0x0397,
    0x0399,
    0x03D1,
    0x039A,
    0x039B,
    0x039C,
    0x039D,
    0x039F,
    0x03A0,
    0x0398,
    0x03A1,
    0x03A3,
    0x03A4,
    0x03A5,
    0x03C2,
    0x03A9,
    0x039E,
    0x03A8,
    0x0396,
    0x005B,
    0x2234,
    0x005D,
    0x22A5,
    0x005F,
    0x203E,
    0x03B1,
    0x03B2,
    0x03C7,
    0x03B4,
    0x03B5,
    0x03C6,
    0x03B3,
    0x03B7,
    0x03B9,
    0x03D5,
    0x03BA,
    0x03BB,
    0x03BC,
    0x03BD,
    0x03BF,
    0x03C0,
    0x03B8,
    0x03C1,
    0x03C3,
    0x03C4,
    0x03C5,
    0x03D6,
    0x03C9,
    0x03BE,
    0x03C8,
    0x03B6,
    0x007B,
    0x007C,
    0x007D,
    0x223C,
    0,
    // 0x80..0x9F: not in the font
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0x20AC,
    0x03D2,
    0x2032,
    0x2264,
    0x2044,
    0x221E,
    0x0192,
    0x2663,
    0x2666,
    0x2665,
    0x2660,
    0x2194,
    0x2190,
    0x2191,
    0x2192,
    0x2193,
    0x00B0,
    0x00B1,
    0x2033,
    0x2265,
    0x00D7,
    0x221D,
    0x2202,
    0x2022,
    0x00F7,
    0x2260,
    0x2261,
    0x2248,
    0x2026,
    0x23D0,
    0x23AF,
    0x21B5,
    0x2135,
    0x2111,
    0x211C,
    0x2118,
    0x2297,
    0x2295,
    0x2205,
    0x2229,
    0x222A,
    0x2283,
    0x2287,
    0x2284,
    0x2282,
    0x2286,
    0x2208,
    0x2209,
    0x2220,
    0x2207,
    0x00AE,
    0x00A9,
    0x2122,
    0x220F,
    0x221A,
    0x22C5,
    0x00AC,
    0x2227,
    0x2228,
    0x21D4,
    0x21D0,
    0x21D1,
    0x21D2,
    0x21D3,
    0x25CA,
    0x2329,
    0x00AE,
    0x00A9,
    0x2122,
    0x2211,
    0x239B,
    0x239C,
    0x239D,
    0x23A1,
    0x23A2,
    0x23A3,
    0x23A7,
    0x23A8,
    0x23A9,
    0x23AA,
    0,
    0x232A,
    0x222B,
    0x2320,
    0x23AE,
    0x2321,
    0x239E,
    0x239F,
    0x23A0,
    0x23A4,
    0x23A5,
    0x23A6,
    0x23AB,
    0x23AC,
    0x23AD,
    0,
};

// The Wingdings characters that lists and forms use: bullets, boxes,
// checks, arrows, circled numbers.
char32_t WingdingsCharacter(std::uint8_t code) {
    static const std::unordered_map<std::uint8_t, char32_t> table = {
        {0x20, 0x0020}, {0x22, 0x2702}, {0x28, 0x260E}, {0x2A, 0x2709}, {0x41, 0x270C}, {0x46, 0x261E}, {0x4A, 0x263A},
        {0x4C, 0x2639}, {0x4E, 0x2620}, {0x52, 0x263C}, {0x54, 0x2744}, {0x56, 0x271E}, {0x58, 0x2720}, {0x59, 0x2721},
        {0x5A, 0x262A}, {0x5B, 0x262F}, {0x5D, 0x2638}, {0x6C, 0x25CF}, {0x6D, 0x274D}, {0x6E, 0x25A0}, {0x6F, 0x25A1},
        {0x70, 0x25AB}, {0x71, 0x2751}, {0x72, 0x2752}, {0x73, 0x2B27}, {0x74, 0x29EB}, {0x75, 0x25C6}, {0x76, 0x2756},
        {0x77, 0x2B25}, {0x78, 0x2327}, {0x7A, 0x2318}, {0x7B, 0x2740}, {0x7C, 0x273F}, {0x7D, 0x275D}, {0x7E, 0x275E},
        {0x9E, 0x00B7}, {0x9F, 0x2022}, {0xA0, 0x25AA}, {0xA1, 0x25CB}, {0xA7, 0x25AA}, {0xA8, 0x25FB}, {0xAA, 0x2726},
        {0xAB, 0x2605}, {0xAC, 0x2736}, {0xAD, 0x2734}, {0xAE, 0x2739}, {0xAF, 0x2735}, {0xD8, 0x27A2}, {0xE8, 0x2794},
        {0xEF, 0x21E6}, {0xF0, 0x21E8}, {0xF1, 0x21E7}, {0xF2, 0x21E9}, {0xFB, 0x2717}, {0xFC, 0x2713}, {0xFD, 0x2612},
        {0xFE, 0x2611},
    };
    if (code >= 0x81 && code <= 0x8A) return 0x2460 + (code - 0x81);  // circled 1..10
    if (code >= 0x8C && code <= 0x95) return 0x2776 + (code - 0x8C);  // negative circled 1..10
    auto found = table.find(code);
    return found == table.end() ? 0 : found->second;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

}  // namespace

bool ReadControlWord(std::string_view in, std::size_t& pos, ControlWord& word) {
    word = ControlWord{};
    if (pos >= in.size()) return false;
    const auto first = static_cast<unsigned char>(in[pos]);
    if (!IsAlpha(first)) {
        // Backslash, carriage return, line feed: one paragraph mark.
        if (first == '\r' && pos + 1 < in.size() && in[pos + 1] == '\n') ++pos;
        word.word = first == '\r' ? std::string_view("\n") : in.substr(pos, 1);
        ++pos;
        return true;
    }
    const std::size_t start = pos;
    while (pos < in.size() && IsAlpha(static_cast<unsigned char>(in[pos]))) ++pos;
    word.word = in.substr(start, pos - start);
    bool negative = false;
    if (pos < in.size() && in[pos] == '-') {
        negative = true;
        if (++pos >= in.size()) return false;
    }
    std::int64_t digits = 0;
    while (pos < in.size() && IsDigit(static_cast<unsigned char>(in[pos]))) {
        word.hasParameter = true;
        if (digits <= kLimit) digits = digits * 10 + (in[pos] - '0');
        ++pos;
    }
    digits = std::min(digits, kLimit);  // long digits saturate
    word.parameter = negative ? -digits : digits;
    if (pos < in.size() && in[pos] == ' ') ++pos;
    return true;
}

int HexValue(int c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

Meaning MeaningOf(std::string_view word) {
    const auto& table = Meanings();
    auto found = table.find(word);
    return found == table.end() ? Meaning{} : found->second;
}

SymbolFont SymbolFontOfName(std::string_view face) {
    if (EqualsIgnoringCase(face, "Symbol")) return SymbolFont::kSymbol;
    if (face.size() >= 9 && EqualsIgnoringCase(face.substr(0, 9), "Wingdings")) return SymbolFont::kWingdings;
    return SymbolFont::kNone;
}

char32_t SymbolCharacter(SymbolFont font, std::uint8_t code) {
    switch (font) {
        case SymbolFont::kSymbol: return code >= 0x20 ? kSymbol[code - 0x20] : 0;
        case SymbolFont::kWingdings: return WingdingsCharacter(code);
        case SymbolFont::kNone: break;
    }
    return 0;
}

char32_t FromPrivateUse(SymbolFont font, char32_t cp) {
    if (cp < 0xF020 || cp > 0xF0FF) return cp;
    const char32_t shown = SymbolCharacter(font, static_cast<std::uint8_t>(cp - 0xF000));
    return shown != 0 ? shown : cp;
}

}  // namespace rtf
