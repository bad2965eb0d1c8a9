// SPDX-License-Identifier: GPL-3.0-or-later
#include "richtext/RtfTextExtractor.h"

#include "richtext/CodePages.h"
#include "richtext/RtfNumbering.h"
#include "richtext/RtfTokenizer.h"
#include "richtext/Utf8Text.h"
#include "support/HugePages.h"

#include <algorithm>
#include <array>
#include <limits>
#include <new>
#include <string>
#include <vector>

namespace {

enum class Kind { kCharacter, kDestination, kProperty, kSpecial };
enum class Special { kBin, kSkipUnknown, kHex };

struct Keyword {
    std::string_view word;
    Kind kind;
    int value;  // the character (a code point), or the Special
};

// The keyword table in lookup order (first match wins).
constexpr Keyword kKeywords[] = {
    {"b", Kind::kProperty, 0},
    {"u", Kind::kProperty, 0},
    {"i", Kind::kProperty, 0},
    {"li", Kind::kProperty, 0},
    {"ri", Kind::kProperty, 0},
    {"fi", Kind::kProperty, 0},
    {"cols", Kind::kProperty, 0},
    {"sbknone", Kind::kProperty, 0},
    {"sbkcol", Kind::kProperty, 0},
    {"sbkeven", Kind::kProperty, 0},
    {"sbkodd", Kind::kProperty, 0},
    {"sbkpage", Kind::kProperty, 0},
    {"pgnx", Kind::kProperty, 0},
    {"pgny", Kind::kProperty, 0},
    {"pgndec", Kind::kProperty, 0},
    {"pgnucrm", Kind::kProperty, 0},
    {"pgnlcrm", Kind::kProperty, 0},
    {"pgnucltr", Kind::kProperty, 0},
    {"pgnlcltr", Kind::kProperty, 0},
    {"qc", Kind::kProperty, 0},
    {"ql", Kind::kProperty, 0},
    {"qr", Kind::kProperty, 0},
    {"qj", Kind::kProperty, 0},
    {"paperw", Kind::kProperty, 0},
    {"paperh", Kind::kProperty, 0},
    {"margl", Kind::kProperty, 0},
    {"margr", Kind::kProperty, 0},
    {"margt", Kind::kProperty, 0},
    {"margb", Kind::kProperty, 0},
    {"pgnstart", Kind::kProperty, 0},
    {"facingp", Kind::kProperty, 0},
    {"landscape", Kind::kProperty, 0},
    {"par", Kind::kCharacter, '\n'},
    {"\n", Kind::kCharacter, '\n'},
    {"\r", Kind::kCharacter, '\n'},
    {"tab", Kind::kCharacter, '\t'},
    {"ldblquote", Kind::kCharacter, '"'},
    {"rdblquote", Kind::kCharacter, '"'},
    // Breaks, cells and typographic characters, so that words never run together.
    {"line", Kind::kCharacter, '\n'},
    {"row", Kind::kCharacter, '\n'},
    {"nestrow", Kind::kCharacter, '\n'},
    {"cell", Kind::kCharacter, '\t'},
    {"nestcell", Kind::kCharacter, '\t'},
    {"emdash", Kind::kCharacter, 0x2014},
    {"endash", Kind::kCharacter, 0x2013},
    {"lquote", Kind::kCharacter, 0x2018},
    {"rquote", Kind::kCharacter, 0x2019},
    {"bullet", Kind::kCharacter, 0x2022},
    {"bin", Kind::kSpecial, static_cast<int>(Special::kBin)},
    {"*", Kind::kSpecial, static_cast<int>(Special::kSkipUnknown)},
    {"'", Kind::kSpecial, static_cast<int>(Special::kHex)},
    {"author", Kind::kDestination, 0},
    {"buptim", Kind::kDestination, 0},
    {"colortbl", Kind::kDestination, 0},
    {"comment", Kind::kDestination, 0},
    {"creatim", Kind::kDestination, 0},
    {"doccomm", Kind::kDestination, 0},
    {"fonttbl", Kind::kDestination, 0},
    {"footer", Kind::kDestination, 0},
    {"footerf", Kind::kDestination, 0},
    {"footerl", Kind::kDestination, 0},
    {"footerr", Kind::kDestination, 0},
    {"footnote", Kind::kDestination, 0},
    {"ftncn", Kind::kDestination, 0},
    {"ftnsep", Kind::kDestination, 0},
    {"ftnsepc", Kind::kDestination, 0},
    {"header", Kind::kDestination, 0},
    {"headerf", Kind::kDestination, 0},
    {"headerl", Kind::kDestination, 0},
    {"headerr", Kind::kDestination, 0},
    {"info", Kind::kDestination, 0},
    {"keywords", Kind::kDestination, 0},
    {"operator", Kind::kDestination, 0},
    {"pict", Kind::kDestination, 0},
    {"printim", Kind::kDestination, 0},
    {"private1", Kind::kDestination, 0},
    {"revtim", Kind::kDestination, 0},
    {"rxe", Kind::kDestination, 0},
    {"stylesheet", Kind::kDestination, 0},
    {"subject", Kind::kDestination, 0},
    {"tc", Kind::kDestination, 0},
    {"title", Kind::kDestination, 0},
    {"txe", Kind::kDestination, 0},
    {"xe", Kind::kDestination, 0},
    {"{", Kind::kCharacter, '{'},
    {"}", Kind::kCharacter, '}'},
    {"\\", Kind::kCharacter, '\\'},
};

// The keyword table by a cheap hash of the word (length, first and last
// letters), open addressing: every control word of a document is looked up.
class KeywordIndex {
public:
    KeywordIndex() {
        for (const Keyword& k : kKeywords) {
            std::size_t slot = Hash(k.word);
            while (m_slots[slot] != nullptr && m_slots[slot]->word != k.word) slot = (slot + 1) % kSlots;
            if (m_slots[slot] == nullptr) m_slots[slot] = &k;  // the first entry wins
        }
    }

    const Keyword* Find(std::string_view word) const {
        if (word.empty()) return nullptr;
        for (std::size_t slot = Hash(word);; slot = (slot + 1) % kSlots) {
            const Keyword* k = m_slots[slot];
            if (k == nullptr || k->word == word) return k;
        }
    }

private:
    static constexpr std::size_t kSlots = 512;  // several times the table, so chains stay short

    static std::size_t Hash(std::string_view word) {
        const auto first = static_cast<unsigned char>(word.front());
        const auto last = static_cast<unsigned char>(word.back());
        const auto second = static_cast<unsigned char>(word.size() > 1 ? word[1] : 0);
        return (word.size() * 61 + first * 7 + second * 31 + last * 13) % kSlots;
    }

    std::array<const Keyword*, kSlots> m_slots{};
};

const KeywordIndex& Keywords() {
    static const KeywordIndex index;
    return index;
}

constexpr int kEof = -1;

// The bytes that end a run of plain text.
constexpr auto kEndsRun = [] {
    std::array<bool, 256> table{};
    for (unsigned char c : {'{', '}', '\\', '\r', '\n'}) table[c] = true;
    return table;
}();
constexpr std::int64_t kLongMax = std::numeric_limits<std::int32_t>::max();

// One conversion: the reader over an in-memory RTF text. A carriage return
// followed by a line feed reads as one line feed, as a text-mode file would.
class ExtractorRun {
public:
    ExtractorRun(std::string_view rtf, std::string& out) : m_in(rtf), m_out(out) {}

    RtfError Run() {
        try {
            return Loop();
        } catch (const std::bad_alloc&) {
            return RtfError::kStackOverflow;
        }
    }

private:
    enum class Dest : std::uint8_t { kNormal, kSkip };
    enum class Parse : std::uint8_t { kNormal, kBinary, kHex };
    struct Saved {
        Dest dest;
        Parse parse;
        int unicodeSkip;
        int font;
        bool fontTable;
    };

    int Get() {
        if (m_pos >= m_in.size()) return kEof;
        unsigned char c = static_cast<unsigned char>(m_in[m_pos++]);
        if (c == '\r' && m_pos < m_in.size() && m_in[m_pos] == '\n') c = static_cast<unsigned char>(m_in[m_pos++]);
        return c;
    }
    RtfError Loop() {
        int c;
        while ((c = Get()) != kEof) {
            RtfError e = RtfError::kOk;
            if (m_parse == Parse::kBinary) {
                CharacterRule(c);
                continue;
            }
            switch (c) {
                case '{': e = Push(); break;
                case '}': e = Pop(); break;
                case '\\': e = ControlWord(); break;
                case '\r':
                case '\n': break;
                default:
                    if (m_parse == Parse::kNormal) {
                        PlainRun(c);
                    } else if (m_parse == Parse::kHex) {
                        e = HexDigit(c);
                    } else {
                        e = RtfError::kAssertion;
                    }
            }
            if (e != RtfError::kOk) return e;
        }
        if (!m_stack.empty()) return RtfError::kUnmatchedBrace;
        FlushPending();
        return RtfError::kOk;
    }

    // Text outside any control: taken a run at a time, for speed.
    void PlainRun(int first) {
        const std::size_t start = m_pos - 1;
        if (m_fallback > 0) {
            // A fallback character written as raw UTF-8 is one character.
            --m_fallback;
            std::size_t pos = start;
            if (first >= 0x80 && utf8text::Decode(m_in, pos) >= 0) m_pos = pos;
            return;
        }
        const auto* bytes = reinterpret_cast<const unsigned char*>(m_in.data());
        std::size_t end = m_pos;
        unsigned seen = static_cast<unsigned>(first);
        while (end < m_in.size() && !kEndsRun[bytes[end]]) seen |= bytes[end++];
        if (m_dest != Dest::kNormal) {
            if (m_fontTable) FontNameText(m_in.substr(start, end - start));
            if (m_numbering.TakesText() && seen < 0x80) m_numbering.SettingsText(m_in.substr(start, end - start));
        } else {
            WritePendingNumber();
            if (seen < 0x80 && !m_decoder.HasPending()) {
                FlushPending();
                m_out.append(m_in.data() + start, end - start);
            } else {
                AppendText(m_in.substr(start, end - start));
            }
        }
        m_pos = end;
    }

    // The name of a font table entry, up to its ';' (the names inside its
    // own groups, such as \falt, are not its name).
    void FontNameText(std::string_view text) {
        if (m_stack.size() > m_fontTableDepth + 1) return;
        for (char c : text) {
            if (c != ';') {
                if (m_fontName.size() < 64) m_fontName += c;
                continue;
            }
            const std::size_t first = m_fontName.find_first_not_of(' ');
            const std::size_t last = m_fontName.find_last_not_of(' ');
            m_pages.SetFontName(m_fontEntry, first == std::string::npos
                                                 ? std::string_view()
                                                 : std::string_view(m_fontName).substr(first, last - first + 1));
            m_fontName.clear();
            m_pageDirty = true;
        }
    }

    // Document text: ASCII and valid UTF-8 as they are, any other byte in
    // the current code page.
    void AppendText(std::string_view text) {
        if (!m_decoder.HasPending()) FlushPending();  // else the text starts with the trail byte
        const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
        const std::size_t size = text.size();
        std::size_t pos = 0;
        while (pos < size) {
            if (m_decoder.HasPending()) {
                EmitDecoded(m_decoder.Feed(bytes[pos++]));
                continue;
            }
            std::size_t ascii = pos;
            while (ascii < size && bytes[ascii] < 0x80) ++ascii;
            m_out.append(text.data() + pos, ascii - pos);
            pos = ascii;
            if (pos == size) break;
            std::size_t next = pos;
            if (utf8text::Decode(text, next) >= 0) {
                m_out.append(text.data() + pos, next - pos);
                pos = next;
            } else {
                DecodeByte(bytes[pos++]);
            }
        }
    }

    void CharacterRule(int c) {
        if (m_parse == Parse::kBinary && --m_binaryCount <= 0) m_parse = Parse::kNormal;
        if (m_dest == Dest::kNormal) {
            WritePendingNumber();
            if (c >= 0x80) {
                DecodeByte(static_cast<std::uint8_t>(c));  // raw binary data is no UTF-8
                return;
            }
            FlushPending();
            m_out += static_cast<char>(c);
        }
    }

    // The character of a keyword, in a normal destination (or of a list
    // number's text, such as \bullet).
    void KeywordCharacter(int cp) {
        if (m_dest != Dest::kNormal && m_numbering.TakesText()) {
            std::string character;
            utf8text::Append(character, static_cast<char32_t>(cp));
            m_numbering.SettingsText(character);
        } else if (cp < 0x80) {
            CharacterRule(cp);
        } else if (m_dest == Dest::kNormal) {
            WritePendingNumber();
            FlushPending();
            utf8text::Append(m_out, static_cast<char32_t>(cp));
        }
    }

    // A byte of 8-bit text (raw or \'hh) in the page of the current font.
    int CurrentFont() const { return m_font >= 0 ? m_font : m_defaultFont; }

    void RefreshPage() {
        if (!m_pageDirty) return;
        m_decoder.SetCodePage(m_pages.PageOfFont(CurrentFont()));
        m_pageDirty = false;
    }

    void DecodeByte(std::uint8_t byte) {
        WritePendingNumber();
        RefreshPage();
        if (!m_decoder.HasPending()) FlushPending();
        EmitDecoded(m_decoder.Feed(byte));
    }

    void EmitDecoded(long cp) {
        if (cp != codepage::ByteDecoder::kPending) utf8text::Append(m_out, static_cast<char32_t>(cp));
    }

    RtfError HexDigit(int c) {
        int v = rtf::HexValue(c);
        if (v < 0) return RtfError::kInvalidHex;
        m_hexByte = m_hexByte * 16 + v;
        if (--m_nibbles > 0) return RtfError::kOk;
        int byte = m_hexByte;
        m_nibbles = 2;
        m_hexByte = 0;
        if (m_fallback > 0) {
            --m_fallback;
        } else if (m_dest != Dest::kNormal && m_numbering.TakesText()) {
            // A list number's sign (a symbol font's bullet): its kind is enough.
            m_numbering.SettingsText(byte < 0x80 ? std::string(1, static_cast<char>(byte)) : "\xEF\xBF\xBD");
        } else if (m_dest == Dest::kNormal && (byte >= 0x80 || m_decoder.HasPending() || InSymbolFont())) {
            DecodeByte(static_cast<std::uint8_t>(byte));  // a trail byte, or a symbol, may be ASCII
        } else if (byte < 0x80) {
            CharacterRule(byte);
        }
        m_parse = Parse::kNormal;
        return RtfError::kOk;
    }

    bool InSymbolFont() {
        RefreshPage();
        return m_decoder.IsSymbolFont();
    }

    // A lead byte never reaches past its group.
    void DropLeadByte() {
        if (m_decoder.DropPending()) utf8text::Append(m_out, utf8text::kReplacement);
    }

    RtfError Push() {
        DropLeadByte();
        m_stack.push_back({m_dest, m_parse, m_unicodeSkip, m_font, m_fontTable});
        m_parse = Parse::kNormal;
        m_fallback = 0;
        return RtfError::kOk;
    }

    RtfError Pop() {
        if (m_stack.empty()) return RtfError::kStackUnderflow;
        DropLeadByte();
        const Saved& saved = m_stack.back();
        m_dest = saved.dest;
        m_parse = saved.parse;
        m_unicodeSkip = saved.unicodeSkip;
        if (m_font != saved.font) m_pageDirty = true;
        m_font = saved.font;
        m_fontTable = saved.fontTable;
        m_stack.pop_back();
        m_fallback = 0;
        if (m_numbering.InOwnNumber() && m_out.size() > m_ownNumberStart)
            m_numbering.OwnNumberText(std::string_view(m_out).substr(m_ownNumberStart));
        // A number written as blanks is taken back: the one made replaces it.
        if (m_numbering.GroupClosed(m_stack.size(), m_dest == Dest::kNormal)) m_out.resize(m_ownNumberStart);
        return RtfError::kOk;
    }

    // The words of a \pn group; true for a word taken here.
    bool NumberingWord(std::string_view word, std::int64_t parameter, bool hasParameter) {
        if (word == "pn") {
            if (m_dest != Dest::kNormal || m_numbering.InSettings() || m_stack.empty()) return false;
            m_numbering.BeginSettings(m_stack.size());
            m_dest = Dest::kSkip;
        } else if (!m_numbering.InSettings() ||
                   !m_numbering.SettingsWord(word, parameter, hasParameter, m_stack.size())) {
            return false;
        }
        m_skipUnknown = false;
        return true;
    }

    // The number goes before the paragraph's first text, unless the
    // document writes its own (\pntext may follow the \pn group).
    void WritePendingNumber() {
        if (!m_numbering.HasPending()) return;
        FlushPending();
        m_out += m_numbering.TakePending();
    }

    void EndParagraph() {
        WritePendingNumber();
        m_numbering.EndParagraph();
    }

    RtfError ControlWord() {
        rtf::ControlWord control;
        if (!rtf::ReadControlWord(m_in, m_pos, control)) return RtfError::kEndOfFile;
        if (control.hasParameter) m_lastParameter = control.parameter < 0 ? -control.parameter : control.parameter;
        return Translate(control.word, control.parameter, control.hasParameter);
    }

    RtfError Translate(std::string_view word, std::int64_t parameter, bool hasParameter) {
        if (m_fallback > 0 && word != "'") {
            // A control word stands for one fallback character of \u.
            --m_fallback;
            return RtfError::kOk;
        }
        if (word == "u" && hasParameter) {
            m_skipUnknown = false;
            Unicode(parameter);
            return RtfError::kOk;
        }
        CodePageWord(word, parameter, hasParameter);
        if (NumberingWord(word, parameter, hasParameter)) return RtfError::kOk;
        const Keyword* found = Keywords().Find(word);
        if (found == nullptr) {
            if (word == "uc" && hasParameter)
                m_unicodeSkip = parameter < 0 ? 0 : static_cast<int>(std::min<std::int64_t>(parameter, 16));
            const bool known = SharedWord(word);
            if (m_skipUnknown && !known) m_dest = Dest::kSkip;
            m_skipUnknown = false;
            return RtfError::kOk;
        }
        m_skipUnknown = false;
        const Keyword& k = *found;
        switch (k.kind) {
            case Kind::kCharacter:
                if (m_dest == Dest::kNormal && (word == "par" || word == "\n" || word == "\r")) EndParagraph();
                KeywordCharacter(k.value);
                return RtfError::kOk;
            case Kind::kDestination:
                m_dest = Dest::kSkip;
                if (word == "fonttbl") {
                    m_fontTable = true;
                    m_fontTableDepth = m_stack.size();
                    m_fontName.clear();
                }
                return RtfError::kOk;
            case Kind::kProperty: return RtfError::kOk;  // formatting is not carried over
            case Kind::kSpecial: return SpecialKeyword(static_cast<Special>(k.value));
        }
        return RtfError::kBadTable;
    }

    // The words the document reader knows as well: breaks, characters,
    // destinations with and without text, footnote numbers. False for a
    // word neither knows.
    bool SharedWord(std::string_view word) {
        const rtf::Meaning meaning = rtf::MeaningOf(word);
        switch (meaning.role) {
            case rtf::Role::kParagraph:
                if (m_dest == Dest::kNormal) EndParagraph();
                KeywordCharacter('\n');
                return true;
            case rtf::Role::kLineBreak: KeywordCharacter('\n'); return true;
            case rtf::Role::kCharacter: KeywordCharacter(static_cast<int>(meaning.character)); return true;
            case rtf::Role::kSkippedDestination: m_dest = Dest::kSkip; return true;
            case rtf::Role::kTextDestination:  // read, \* or not
                if ((word == "pntext" || word == "listtext") && m_dest == Dest::kNormal && !m_stack.empty()) {
                    FlushPending();
                    m_ownNumberStart = m_out.size();
                    m_numbering.BeginOwnNumber(m_stack.size());
                }
                return true;
            case rtf::Role::kFootnoteMark:
                if (m_dest == Dest::kNormal)
                    for (char digit : std::to_string(++m_footnotes)) CharacterRule(digit);
                return true;
            case rtf::Role::kNone: break;
        }
        return false;
    }

    RtfError SpecialKeyword(Special special) {
        // In a skipped group only \bin acts, and \'hh in a list number's text.
        const bool numberText = special == Special::kHex && m_numbering.TakesText();
        if (m_dest == Dest::kSkip && special != Special::kBin && !numberText) return RtfError::kOk;
        switch (special) {
            case Special::kBin:
                m_parse = Parse::kBinary;
                m_binaryCount = m_lastParameter;
                return RtfError::kOk;
            case Special::kSkipUnknown: m_skipUnknown = true; return RtfError::kOk;
            case Special::kHex: m_parse = Parse::kHex; return RtfError::kOk;
        }
        return RtfError::kBadTable;
    }

    // The words that say which code page \'hh is written in: the document's
    // (\ansicpg, \mac, \pc, \pca), each font's (\fcharset, \cpg in the font
    // table) and the current font (\f, \deff, \plain). None is in the
    // keyword table, so they act on the side.
    void CodePageWord(std::string_view word, std::int64_t parameter, bool hasParameter) {
        switch (word[0]) {
            case 'a':
            case 'c':
            case 'd':
            case 'f':
            case 'm':
            case 'p': break;
            default: return;  // most words: none of ours
        }
        const int value = static_cast<int>(std::clamp<std::int64_t>(parameter, -kLongMax, kLongMax));
        if (m_fontTable) {
            if (!hasParameter) return;
            if (word == "f") {
                m_fontEntry = value;
                m_fontName.clear();
            } else if (word == "fcharset")
                m_pages.SetFontCharset(m_fontEntry, value);
            else if (word == "cpg")
                m_pages.SetFontPage(m_fontEntry, value);
            else
                return;
        } else if (m_dest == Dest::kNormal) {
            if (word == "f" && hasParameter)
                m_font = value;
            else if (word == "plain")
                m_font = -1;
            else if (word == "deff" && hasParameter)
                m_defaultFont = value;
            else if (word == "ansicpg" && hasParameter)
                m_pages.SetDocumentPage(value);
            else if (word == "mac")
                m_pages.SetDocumentPage(10000);
            else if (word == "pc")
                m_pages.SetDocumentPage(437);
            else if (word == "pca")
                m_pages.SetDocumentPage(850);
            else
                return;
        } else {
            return;
        }
        m_pageDirty = true;
    }

    // \uN: N is a signed 16-bit unit; pairs of surrogates join.
    void Unicode(std::int64_t parameter) {
        m_fallback = m_unicodeSkip;
        if (m_dest != Dest::kNormal) return;
        WritePendingNumber();
        char32_t unit = static_cast<char32_t>(static_cast<std::uint16_t>(parameter));
        if (parameter > 0xFFFF || parameter < -0x8000) unit = utf8text::kReplacement;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            FlushPending();
            m_highSurrogate = unit;
            return;
        }
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            char32_t high = m_highSurrogate;
            m_highSurrogate = 0;
            utf8text::Append(m_out,
                             high ? 0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00) : utf8text::kReplacement);
            return;
        }
        FlushPending();
        // A symbol font's picture, written as a private-use character.
        utf8text::Append(m_out, rtf::FromPrivateUse(m_pages.SymbolFontOf(CurrentFont()), unit));
    }

    // A high surrogate or a lead byte that nothing completed is U+FFFD.
    void FlushPending() {
        if (m_decoder.DropPending()) utf8text::Append(m_out, utf8text::kReplacement);
        if (m_highSurrogate == 0) return;
        m_highSurrogate = 0;
        utf8text::Append(m_out, utf8text::kReplacement);
    }

    std::string_view m_in;
    std::size_t m_pos = 0;
    std::string& m_out;
    Dest m_dest = Dest::kNormal;
    Parse m_parse = Parse::kNormal;
    std::int64_t m_binaryCount = 0;
    std::int64_t m_lastParameter = 0;
    bool m_skipUnknown = false;
    int m_nibbles = 2;
    int m_hexByte = 0;
    int m_unicodeSkip = 1;
    int m_fallback = 0;
    char32_t m_highSurrogate = 0;
    codepage::DocumentCodePages m_pages;
    codepage::ByteDecoder m_decoder;
    int m_font = -1;  // -1: the default font
    int m_defaultFont = 0;
    int m_fontEntry = 0;
    bool m_fontTable = false;
    std::size_t m_fontTableDepth = 0;
    std::string m_fontName;
    int m_footnotes = 0;
    // Paragraph numbering, and where the number the document wrote began.
    rtf::ListNumbering m_numbering;
    std::size_t m_ownNumberStart = 0;
    bool m_pageDirty = true;
    std::vector<Saved> m_stack;
};

}  // namespace

const char* RtfErrorMessage(RtfError error) {
    switch (error) {
        case RtfError::kOk: return "no error";
        case RtfError::kStackUnderflow: return "stack underflow: a '}' with no open group";
        case RtfError::kStackOverflow: return "stack overflow: groups nested too deeply";
        case RtfError::kUnmatchedBrace: return "unmatched brace: a '{' is never closed";
        case RtfError::kInvalidHex: return "invalid hex: \\' needs two hexadecimal digits";
        case RtfError::kBadTable: return "bad keyword table";
        case RtfError::kAssertion: return "assertion: impossible parse state";
        case RtfError::kEndOfFile: return "end of file in a control word";
    }
    return "unknown error";
}

RtfError RtfTextExtractor::Convert(std::string_view rtf, std::string& plainText) {
    std::string collected;
    collected.reserve(rtf.size());
    PreferHugePages(collected.data(), collected.capacity());
    RtfError error = ExtractorRun(rtf, collected).Run();
    if (error == RtfError::kOk) plainText = std::move(collected);
    return error;
}

bool ExtractPlainText(std::string_view rtf, std::string& plainText) {
    return RtfTextExtractor().Convert(rtf, plainText) == RtfError::kOk;
}
