// SPDX-License-Identifier: GPL-3.0-or-later
// Reads RTF into a RichDocument: what the renderer and our writer produce,
// and ordinary RTF from word processors. Lenient: malformed input yields
// whatever text could be read, never an error.
#include "richtext/RichDocument.h"

#include "richtext/CodePages.h"
#include "richtext/RtfNumbering.h"
#include "richtext/RtfTokenizer.h"
#include "richtext/Utf8Text.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>

namespace {

enum class Dest : std::uint8_t { kText, kFontTable, kColourTable, kSkip, kNumberText };

// What a group saves: destination and the character and paragraph state.
struct GroupState {
    Dest dest = Dest::kText;
    int font = -1;  // -1: the default font
    int halfPoints = 24;
    int colour = 0;     // colour table number, 0 automatic
    int highlight = 0;  // colour table number, 0 none
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int unicodeSkip = 1;
    ParagraphAlignment alignment = ParagraphAlignment::kLeft;
};

bool IsUnderlineOn(std::string_view word) {
    static const std::unordered_set<std::string_view> kStyles = {
        "uld",   "uldash",   "uldashd",   "uldashdd",   "uldb",      "ulhwave",    "ulldash", "ulth",
        "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw",     "ulwave",
    };
    return kStyles.count(word) > 0;
}

class RtfDocumentReader {
public:
    explicit RtfDocumentReader(std::string_view rtf) : m_in(rtf) {}

    std::vector<Paragraph> Read() {
        m_paragraphs.emplace_back();
        while (m_pos < m_in.size()) {
            unsigned char c = static_cast<unsigned char>(m_in[m_pos++]);
            switch (c) {
                case '{': Push(); break;
                case '}': Pop(); break;
                case '\\': ControlWord(); break;
                case '\r':
                case '\n':
                case '\0': break;
                default: RawText(c); break;
            }
        }
        Finish();
        return std::move(m_paragraphs);
    }

private:
    // A lead byte never reaches past its group.
    void DropLeadByte() {
        if (m_decoder.DropPending()) Character(utf8text::kReplacement);
    }

    void Push() {
        DropLeadByte();
        m_stack.push_back(m_state);
        m_fallback = 0;
    }

    void Pop() {
        if (m_stack.empty()) return;  // a stray '}' closes nothing
        DropLeadByte();
        if (m_state.dest == Dest::kFontTable) CommitFontName();
        m_state = m_stack.back();
        m_stack.pop_back();
        m_fallback = 0;
        m_formatDirty = true;
        m_pageDirty = true;
        // A number written as blanks is taken back: the one made replaces it.
        if (m_numbering.GroupClosed(m_stack.size(), m_state.dest == Dest::kText)) TakeBackOwnNumber();
    }

    // Where the number the document wrote begins in the paragraph.
    struct TextMark {
        std::size_t paragraph = 0;
        std::size_t runs = 0;
        std::size_t lastRunSize = 0;
    };

    TextMark MarkText() const {
        const Paragraph& paragraph = m_paragraphs.back();
        return {m_paragraphs.size(), paragraph.runs.size(),
                paragraph.runs.empty() ? 0 : paragraph.runs.back().text.size()};
    }

    void TakeBackOwnNumber() {
        if (m_paragraphs.size() != m_ownNumber.paragraph) return;
        std::vector<TextRun>& runs = m_paragraphs.back().runs;
        if (runs.size() < m_ownNumber.runs) return;
        runs.erase(runs.begin() + static_cast<std::ptrdiff_t>(m_ownNumber.runs), runs.end());
        if (!runs.empty()) runs.back().text.resize(std::min(runs.back().text.size(), m_ownNumber.lastRunSize));
        m_formatDirty = true;
    }

    // The words of a \pn group; true for a word taken here.
    bool NumberingWord(std::string_view word, int parameter, bool hasParameter) {
        if (word == "pn") {
            if (m_state.dest != Dest::kText || m_numbering.InSettings() || m_stack.empty()) return false;
            m_numbering.BeginSettings(m_stack.size());
            m_state.dest = Dest::kSkip;
            return true;
        }
        if (!m_numbering.InSettings() || !m_numbering.SettingsWord(word, parameter, hasParameter, m_stack.size()))
            return false;
        if (m_numbering.TakesText()) m_state.dest = Dest::kNumberText;
        return true;
    }

    // The number made from the settings goes before the paragraph's first
    // character.
    void WritePendingNumber() {
        if (!m_numbering.HasPending() || m_state.dest != Dest::kText) return;
        const std::string number = m_numbering.TakePending();
        CurrentRun().text += number;
    }

    void RawText(unsigned char c) {
        if (m_fallback > 0) {
            // A fallback character written as raw UTF-8 is one character.
            --m_fallback;
            std::size_t pos = m_pos - 1;
            if (c >= 0x80 && utf8text::Decode(m_in, pos) >= 0) m_pos = pos;
            return;
        }
        if (m_decoder.HasPending()) {
            DecodeByte(c);  // the trail byte of a two-byte character
            return;
        }
        if (c >= 0x20 && c < 0x80 && m_state.dest == Dest::kText && m_highSurrogate == 0) {
            AsciiRun();
            return;
        }
        if (c < 0x80) {
            Character(static_cast<char32_t>(c));
            return;
        }
        std::size_t pos = m_pos - 1;
        long cp = utf8text::Decode(m_in, pos);
        if (cp >= 0) {
            m_pos = pos;
            Character(static_cast<char32_t>(cp));
        } else {
            DecodeByte(c);
        }
    }

    // A byte of 8-bit text (raw or \'hh) in the page of the current font.
    int CurrentFont() const { return m_state.font >= 0 ? m_state.font : m_defaultFont; }

    void DecodeByte(std::uint8_t byte) {
        if (m_pageDirty) {
            m_decoder.SetCodePage(m_pages.PageOfFont(CurrentFont()));
            m_pageDirty = false;
        }
        if (!m_decoder.HasPending() && m_highSurrogate != 0) Character(utf8text::kReplacement);
        long cp = m_decoder.Feed(byte);
        if (cp != codepage::ByteDecoder::kPending) Character(static_cast<char32_t>(cp));
    }

    void ControlWord() {
        rtf::ControlWord control;
        if (!rtf::ReadControlWord(m_in, m_pos, control)) return;
        const std::string_view word = control.word;
        const auto first = static_cast<unsigned char>(word[0]);
        if (!((first >= 'a' && first <= 'z') || (first >= 'A' && first <= 'Z'))) {
            ControlSymbol(first);
            return;
        }
        if (m_fallback > 0) {
            --m_fallback;
            return;
        }
        Word(word, static_cast<int>(control.parameter), control.hasParameter);
        m_skipUnknown = false;
    }

    void ControlSymbol(unsigned char c) {
        if (c == '\'') {
            HexEscape();
            return;
        }
        if (m_fallback > 0) {
            --m_fallback;
            return;
        }
        switch (c) {
            case '*': m_skipUnknown = true; return;
            case '\\':
            case '{':
            case '}': Character(c); break;
            case '~': Character(0x00A0); break;
            case '_': Character(0x2011); break;
            case '\n':
            case '\r': BreakParagraph(); break;
            default: break;  // optional hyphen and the like
        }
        m_skipUnknown = false;
    }

    void HexEscape() {
        int hi = m_pos < m_in.size() ? rtf::HexValue(static_cast<unsigned char>(m_in[m_pos])) : -1;
        int lo = m_pos + 1 < m_in.size() ? rtf::HexValue(static_cast<unsigned char>(m_in[m_pos + 1])) : -1;
        if (hi < 0 || lo < 0) return;  // not an escape: the characters read as text
        m_pos += 2;
        if (m_fallback > 0) {
            --m_fallback;
            return;
        }
        DecodeByte(static_cast<std::uint8_t>(hi * 16 + lo));
    }

    void Word(std::string_view word, int parameter, bool hasParameter) {
        if (NumberingWord(word, parameter, hasParameter)) return;
        if (m_state.dest == Dest::kSkip) {
            if (word == "bin" && hasParameter) SkipBinary(parameter);
            return;
        }
        if (Destination(word)) return;
        if (CharacterWord(word, parameter, hasParameter)) return;
        if (FormatWord(word, parameter, hasParameter)) return;
        if (CodePageWord(word, parameter, hasParameter)) {
            m_pageDirty = true;
            return;
        }
        if (word == "bin" && hasParameter) {
            SkipBinary(parameter);
            return;
        }
        if (m_skipUnknown) m_state.dest = Dest::kSkip;  // an ignorable destination we do not know
    }

    bool Destination(std::string_view word) {
        if (word == "fonttbl") {
            m_state.dest = Dest::kFontTable;
            m_fontName.clear();
        } else if (word == "colortbl") {
            m_state.dest = Dest::kColourTable;
            m_red = m_green = m_blue = -1;
        } else if (rtf::MeaningOf(word).role == rtf::Role::kSkippedDestination) {
            m_state.dest = Dest::kSkip;
        } else {
            return false;
        }
        return true;
    }

    bool CharacterWord(std::string_view word, int parameter, bool hasParameter) {
        if (word == "u" && hasParameter) {
            Unicode(parameter);
            return true;
        }
        const rtf::Meaning meaning = rtf::MeaningOf(word);
        switch (meaning.role) {
            case rtf::Role::kParagraph: BreakParagraph(); return true;
            case rtf::Role::kLineBreak: Character(U'\v'); return true;
            case rtf::Role::kCharacter: Character(meaning.character); return true;
            case rtf::Role::kFootnoteMark: FootnoteMark(); return true;
            case rtf::Role::kTextDestination:  // its text is read, \* or not
                if ((word == "pntext" || word == "listtext") && m_state.dest == Dest::kText && !m_stack.empty()) {
                    m_ownNumber = MarkText();
                    m_numbering.BeginOwnNumber(m_stack.size());
                }
                return true;
            case rtf::Role::kSkippedDestination:
            case rtf::Role::kNone: break;
        }
        return false;
    }

    // The automatic number of a footnote, counted through the document.
    void FootnoteMark() {
        if (m_state.dest != Dest::kText) return;
        for (char digit : std::to_string(++m_footnotes)) Character(static_cast<char32_t>(digit));
    }

    bool FormatWord(std::string_view word, int parameter, bool hasParameter) {
        const bool on = !hasParameter || parameter != 0;
        GroupState& s = m_state;
        if (word == "b")
            s.bold = on;
        else if (word == "i")
            s.italic = on;
        else if (word == "ul")
            s.underline = on;
        else if (word == "ulnone")
            s.underline = false;
        else if (IsUnderlineOn(word))
            s.underline = on;
        else if (word == "cf")
            s.colour = std::max(parameter, 0);
        else if (word == "highlight" || word == "cb")
            s.highlight = std::max(parameter, 0);
        else if (word == "fs")
            s.halfPoints = hasParameter && parameter > 0 ? std::min(parameter, 32767) : 24;
        else if (word == "f")
            SetFont(parameter);
        else if (word == "plain")
            Plain();
        else if (word == "pard")
            s.alignment = ParagraphAlignment::kLeft;
        else if (word == "ql")
            s.alignment = ParagraphAlignment::kLeft;
        else if (word == "qc")
            s.alignment = ParagraphAlignment::kCentre;
        else if (word == "qr")
            s.alignment = ParagraphAlignment::kRight;
        else if (word == "qj")
            s.alignment = ParagraphAlignment::kJustify;
        else if (word == "deff")
            m_defaultFont = parameter;
        else if (word == "uc")
            s.unicodeSkip = std::clamp(parameter, 0, 16);
        else if (word == "red")
            m_red = parameter;
        else if (word == "green")
            m_green = parameter;
        else if (word == "blue")
            m_blue = parameter;
        else
            return false;
        m_formatDirty = true;
        m_pageDirty = true;
        return true;
    }

    // The document's code page and each font's, which \'hh and raw 8-bit
    // text are read in.
    bool CodePageWord(std::string_view word, int parameter, bool hasParameter) {
        if (m_state.dest == Dest::kFontTable) {
            if (word == "fcharset" && hasParameter)
                m_pages.SetFontCharset(m_currentFont, parameter);
            else if (word == "cpg" && hasParameter)
                m_pages.SetFontPage(m_currentFont, parameter);
            else
                return false;
        } else if (word == "ansicpg" && hasParameter) {
            m_pages.SetDocumentPage(parameter);
        } else if (word == "mac") {
            m_pages.SetDocumentPage(10000);
        } else if (word == "pc") {
            m_pages.SetDocumentPage(437);
        } else if (word == "pca") {
            m_pages.SetDocumentPage(850);
        } else {
            return false;
        }
        return true;
    }

    void SetFont(int number) {
        if (m_state.dest == Dest::kFontTable) {
            CommitFontName();
            m_currentFont = number;
            m_fontEntryOpen = true;
        } else {
            m_state.font = number;
            m_pageDirty = true;
        }
    }

    void Plain() {
        m_state.font = -1;
        m_pageDirty = true;
        m_state.halfPoints = 24;
        m_state.colour = 0;
        m_state.highlight = 0;
        m_state.bold = m_state.italic = m_state.underline = false;
    }

    void SkipBinary(int count) {
        std::size_t n = static_cast<std::size_t>(std::max(count, 0));
        m_pos = std::min(m_in.size(), m_pos + n);
    }

    void Unicode(int parameter) {
        m_fallback = m_state.unicodeSkip;
        char32_t unit = static_cast<char32_t>(static_cast<std::uint16_t>(parameter));
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            m_highSurrogate = unit;
            return;
        }
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            char32_t high = m_highSurrogate;
            m_highSurrogate = 0;
            Character(high ? 0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00) : utf8text::kReplacement);
            return;
        }
        // A symbol font's picture, written as a private-use character.
        Character(rtf::FromPrivateUse(m_pages.SymbolFontOf(CurrentFont()), unit));
    }

    // A character of the current destination.
    void Character(char32_t cp) {
        if (m_decoder.DropPending()) Character(utf8text::kReplacement);  // a lead byte left alone
        if (m_highSurrogate != 0) {
            // A high surrogate that no low one followed.
            m_highSurrogate = 0;
            Character(utf8text::kReplacement);
        }
        switch (m_state.dest) {
            case Dest::kText: TextCharacter(cp); break;
            case Dest::kFontTable:
                if (cp == ';')
                    CommitFontName();
                else if (cp >= 0x20)
                    utf8text::Append(m_fontName, cp);
                break;
            case Dest::kColourTable:
                if (cp == ';') CommitColour();
                break;
            case Dest::kNumberText: {
                std::string character;
                utf8text::Append(character, cp);
                m_numbering.SettingsText(character);
                break;
            }
            case Dest::kSkip: break;
        }
    }

    // Plain ASCII text of the document, taken a run at a time for speed.
    void AsciiRun() {
        std::size_t end = m_pos;
        while (end < m_in.size()) {
            unsigned char c = static_cast<unsigned char>(m_in[end]);
            if (c < 0x20 || c >= 0x80 || c == '\\' || c == '{' || c == '}') break;
            ++end;
        }
        WritePendingNumber();
        TextRun& run = CurrentRun();
        const std::string_view text = m_in.substr(m_pos - 1, end - m_pos + 1);
        run.text.append(text);
        if (m_numbering.InOwnNumber()) m_numbering.OwnNumberText(text);
        m_pos = end;
    }

    // The run that text in the current format goes to.
    TextRun& CurrentRun() {
        Paragraph& paragraph = m_paragraphs.back();
        if (m_formatDirty || paragraph.runs.empty()) {
            RunFormat format = CurrentFormat();
            if (paragraph.runs.empty() || !(paragraph.runs.back().format == format))
                paragraph.runs.push_back({std::string(), std::move(format)});
            m_formatDirty = false;
        }
        return paragraph.runs.back();
    }

    void TextCharacter(char32_t cp) {
        if (cp < 0x20 && cp != U'\t' && cp != U'\v') return;  // control bytes are no text
        WritePendingNumber();
        std::string& text = CurrentRun().text;
        const std::size_t before = text.size();
        utf8text::Append(text, cp);
        if (m_numbering.InOwnNumber()) m_numbering.OwnNumberText(std::string_view(text).substr(before));
    }

    void BreakParagraph() {
        if (m_state.dest != Dest::kText) return;
        WritePendingNumber();
        m_numbering.EndParagraph();
        Paragraph& paragraph = m_paragraphs.back();
        paragraph.markFormat = CurrentFormat();
        paragraph.alignment = m_state.alignment;
        m_paragraphs.emplace_back();
        m_formatDirty = true;
    }

    void Finish() {
        Paragraph& last = m_paragraphs.back();
        bool empty = std::all_of(last.runs.begin(), last.runs.end(), [](const TextRun& r) { return r.text.empty(); });
        // The final \par of a document is the mark of its last paragraph.
        if (empty && m_paragraphs.size() > 1) {
            m_paragraphs.pop_back();
        } else {
            last.markFormat = CurrentFormat();
            last.alignment = m_state.alignment;
        }
        for (Paragraph& paragraph : m_paragraphs)
            std::erase_if(paragraph.runs, [](const TextRun& r) { return r.text.empty(); });
    }

    RunFormat CurrentFormat() const {
        RunFormat format;
        int font = m_state.font >= 0 ? m_state.font : m_defaultFont;
        auto face = m_fonts.find(font);
        if (face != m_fonts.end())
            format.face = face->second;
        else if (!m_fonts.empty())
            format.face = m_fonts.begin()->second;
        format.heightTwips = m_state.halfPoints * 10;
        format.textColour = ColourAt(m_state.colour).value_or(0);
        if (auto highlight = ColourAt(m_state.highlight); m_state.highlight > 0 && highlight) {
            format.hasHighlight = true;
            format.highlightColour = *highlight;
        }
        format.bold = m_state.bold;
        format.italic = m_state.italic;
        format.underline = m_state.underline;
        return format;
    }

    // A colour table entry; nothing for the automatic colour or a missing entry.
    std::optional<std::uint32_t> ColourAt(int number) const {
        if (number < 0 || static_cast<std::size_t>(number) >= m_colours.size()) return std::nullopt;
        return m_colours[number];
    }

    void CommitFontName() {
        std::string name = std::move(m_fontName);
        m_fontName.clear();
        if (!m_fontEntryOpen && name.empty()) return;
        m_fontEntryOpen = false;
        auto first = name.find_first_not_of(' ');
        name = first == std::string::npos ? std::string() : name.substr(first, name.find_last_not_of(' ') - first + 1);
        m_pages.SetFontName(m_currentFont, name);
        m_pageDirty = true;
        m_fonts[m_currentFont] = std::move(name);
    }

    void CommitColour() {
        if (m_red < 0 && m_green < 0 && m_blue < 0) {
            m_colours.push_back(std::nullopt);
        } else {
            auto part = [](int v) { return static_cast<std::uint32_t>(std::clamp(v, 0, 255)); };
            m_colours.push_back(part(m_red) | part(m_green) << 8 | part(m_blue) << 16);
        }
        m_red = m_green = m_blue = -1;
    }

    std::string_view m_in;
    std::size_t m_pos = 0;
    GroupState m_state;
    std::vector<GroupState> m_stack;
    std::vector<Paragraph> m_paragraphs;
    std::map<int, std::string> m_fonts;
    std::vector<std::optional<std::uint32_t>> m_colours;
    std::string m_fontName;
    int m_currentFont = 0;
    bool m_fontEntryOpen = false;
    int m_defaultFont = 0;
    int m_red = -1, m_green = -1, m_blue = -1;
    int m_fallback = 0;
    int m_footnotes = 0;
    char32_t m_highSurrogate = 0;
    codepage::DocumentCodePages m_pages;
    codepage::ByteDecoder m_decoder;
    bool m_pageDirty = true;
    bool m_skipUnknown = false;
    bool m_formatDirty = true;
    rtf::ListNumbering m_numbering;
    TextMark m_ownNumber;
};

bool LooksLikeRtf(std::string_view text) {
    std::size_t i = text.find_first_not_of(" \t\r\n");
    return i != std::string_view::npos && text.substr(i, 5) == "{\\rtf";
}

}  // namespace

RichDocument RichDocument::FromRtf(std::string_view rtf) {
    RichDocument document;
    if (LooksLikeRtf(rtf)) {
        document.SetParagraphs(RtfDocumentReader(rtf).Read());
        return document;
    }
    // Not RTF: the text as it is, one paragraph per line.
    std::vector<Paragraph> paragraphs(1);
    std::string line;
    auto flush = [&] {
        if (!line.empty()) paragraphs.back().runs.push_back({std::move(line), RunFormat{}});
        line.clear();
    };
    for (std::size_t pos = 0; pos < rtf.size();) {
        unsigned char c = static_cast<unsigned char>(rtf[pos]);
        if (c == '\r' || c == '\n') {
            pos += (c == '\r' && pos + 1 < rtf.size() && rtf[pos + 1] == '\n') ? 2 : 1;
            flush();
            paragraphs.emplace_back();
            continue;
        }
        long cp = utf8text::Decode(rtf, pos);
        if (cp < 0) {
            cp = static_cast<long>(utf8text::FromCp1252(c));
            ++pos;
        }
        if (cp != 0) utf8text::Append(line, static_cast<char32_t>(cp));
    }
    flush();
    document.SetParagraphs(std::move(paragraphs));
    return document;
}
