// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a RichDocument as RTF, the way a rich edit streams its content out:
// font and colour tables, then the paragraphs, each ending in \par.
// Non-ASCII characters go out as \uN? so any reader keeps them.
#include "richtext/RichDocument.h"

#include "richtext/Utf8Text.h"

#include <algorithm>
#include <charconv>

namespace {

// Bytes written as they are.
bool IsPlain(unsigned char c) { return c >= 0x20 && c < 0x80 && c != '\\' && c != '{' && c != '}'; }

// A face as the font table can hold it, and as the reader gives it back:
// no ';' (it ends the entry), no control characters, no outer spaces.
std::string FaceForRtf(std::string_view face) {
    std::string clean;
    for (char c : face)
        if (c != ';' && static_cast<unsigned char>(c) >= 0x20) clean += c;
    const auto first = clean.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    return clean.substr(first, clean.find_last_not_of(' ') - first + 1);
}

void AppendNumber(std::string& out, long long value) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

class RtfDocumentWriter {
public:
    explicit RtfDocumentWriter(const RichDocument& document) : m_document(document) {}

    std::string Write() {
        CollectTables();
        m_out.reserve(EstimatedSize());
        m_out += "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
        for (std::size_t i = 0; i < m_faces.size(); ++i) {
            m_out += "{\\f";
            AppendNumber(m_out, static_cast<long long>(i));
            m_out += "\\fnil\\fcharset0 ";
            AppendEscaped(m_faces[i]);
            m_out += ";}";
        }
        m_out += "}\r\n{\\colortbl ;";
        for (std::uint32_t colour : m_colours) {
            m_out += "\\red";
            AppendNumber(m_out, colour & 0xFF);
            m_out += "\\green";
            AppendNumber(m_out, (colour >> 8) & 0xFF);
            m_out += "\\blue";
            AppendNumber(m_out, (colour >> 16) & 0xFF);
            m_out += ';';
        }
        m_out += "}\r\n\\viewkind4\\uc1\\pard";
        for (const Paragraph& paragraph : m_document.Paragraphs()) WriteParagraph(paragraph);
        m_out += "}\r\n";
        return std::move(m_out);
    }

private:
    std::size_t EstimatedSize() const {
        std::size_t n = 256;
        for (const Paragraph& p : m_document.Paragraphs())
            for (const TextRun& r : p.runs) n += r.text.size() + r.text.size() / 4 + 32;
        return n;
    }

    void CollectTables() {
        auto note = [this](const RunFormat& f) {
            std::string face = FaceForRtf(f.face);
            if (std::find(m_faces.begin(), m_faces.end(), face) == m_faces.end()) m_faces.push_back(std::move(face));
            AddColour(f.textColour & 0xFFFFFF);
            if (f.hasHighlight) AddColour(f.highlightColour & 0xFFFFFF);
        };
        for (const Paragraph& p : m_document.Paragraphs()) {
            for (const TextRun& r : p.runs) note(r.format);
            note(p.markFormat);
        }
        if (m_faces.empty()) m_faces.push_back(FaceForRtf(RunFormat{}.face));
    }

    void AddColour(std::uint32_t colour) {
        if (std::find(m_colours.begin(), m_colours.end(), colour) == m_colours.end()) m_colours.push_back(colour);
    }

    int FontNumber(const std::string& face) const {
        return static_cast<int>(std::find(m_faces.begin(), m_faces.end(), face) - m_faces.begin());
    }

    int ColourNumber(std::uint32_t colour) const {
        return static_cast<int>(std::find(m_colours.begin(), m_colours.end(), colour) - m_colours.begin()) + 1;
    }

    void WriteParagraph(const Paragraph& paragraph) {
        if (paragraph.alignment != m_alignment) {
            m_out += "\\pard";
            switch (paragraph.alignment) {
                case ParagraphAlignment::kLeft: break;
                case ParagraphAlignment::kCentre: m_out += "\\qc"; break;
                case ParagraphAlignment::kRight: m_out += "\\qr"; break;
                case ParagraphAlignment::kJustify: m_out += "\\qj"; break;
            }
            m_alignment = paragraph.alignment;
            m_needDelimiter = true;
        }
        for (const TextRun& run : paragraph.runs) {
            if (run.text.empty()) continue;
            SwitchFormat(run.format);
            AppendEscaped(run.text);
        }
        SwitchFormat(paragraph.markFormat);
        m_out += "\\par\r\n";
        m_needDelimiter = false;
    }

    // The control words of a run format, compared as written so that
    // formats the reader cannot tell apart cost nothing.
    struct Written {
        int font = 0;
        int halfPoints = 24;
        int colour = 0;
        int highlight = 0;
        bool bold = false;
        bool italic = false;
        bool underline = false;
    };

    Written AsWritten(const RunFormat& f) const {
        Written w;
        w.font = FontNumber(FaceForRtf(f.face));
        w.halfPoints = static_cast<int>(std::clamp<long long>((f.heightTwips + 5LL) / 10, 1, 32767));
        w.colour = (f.textColour & 0xFFFFFF) == 0 ? 0 : ColourNumber(f.textColour & 0xFFFFFF);
        w.highlight = f.hasHighlight ? ColourNumber(f.highlightColour & 0xFFFFFF) : 0;
        w.bold = f.bold;
        w.italic = f.italic;
        w.underline = f.underline;
        return w;
    }

    void SwitchFormat(const RunFormat& format) {
        const Written f = AsWritten(format);
        Written& c = m_current;
        bool wrote = false;
        auto word = [&](const char* name, long long value, bool withValue) {
            m_out += name;
            if (withValue) AppendNumber(m_out, value);
            wrote = true;
        };
        if (f.font != c.font) word("\\f", f.font, true);
        if (f.halfPoints != c.halfPoints) word("\\fs", f.halfPoints, true);
        if (f.colour != c.colour) word("\\cf", f.colour, true);
        if (f.highlight != c.highlight) word("\\highlight", f.highlight, true);
        if (f.bold != c.bold) word(f.bold ? "\\b" : "\\b0", 0, false);
        if (f.italic != c.italic) word(f.italic ? "\\i" : "\\i0", 0, false);
        if (f.underline != c.underline) word(f.underline ? "\\ul" : "\\ulnone", 0, false);
        c = f;
        if (wrote || m_needDelimiter) m_out += ' ';
        m_needDelimiter = false;
    }

    // Text with the RTF specials escaped.
    void AppendEscaped(std::string_view text) {
        for (std::size_t pos = 0; pos < text.size();) {
            std::size_t plain = pos;
            while (plain < text.size() && IsPlain(static_cast<unsigned char>(text[plain]))) ++plain;
            if (plain > pos) {
                m_out.append(text.data() + pos, plain - pos);
                pos = plain;
                continue;
            }
            unsigned char c = static_cast<unsigned char>(text[pos]);
            if (c < 0x80) {
                ++pos;
                switch (c) {
                    case '\\': m_out += "\\\\"; break;
                    case '{': m_out += "\\{"; break;
                    case '}': m_out += "\\}"; break;
                    case '\t': m_out += "\\tab "; break;
                    case '\v':
                    case '\n': m_out += "\\line "; break;
                    default:
                        if (c >= 0x20) m_out += static_cast<char>(c);
                        break;
                }
                continue;
            }
            utf8text::AppendRtfUnicode(m_out, utf8text::NextCharacter(text, pos));
        }
    }

    const RichDocument& m_document;
    std::vector<std::string> m_faces;
    std::vector<std::uint32_t> m_colours;
    Written m_current;
    ParagraphAlignment m_alignment = ParagraphAlignment::kLeft;
    bool m_needDelimiter = true;
    std::string m_out;
};

}  // namespace

std::string RichDocument::ToRtf() const { return RtfDocumentWriter(*this).Write(); }
