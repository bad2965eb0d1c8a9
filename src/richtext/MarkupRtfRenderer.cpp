// SPDX-License-Identifier: GPL-3.0-or-later
#include "richtext/MarkupRtfRenderer.h"

#include "richtext/MarkupScan.h"
#include "richtext/Utf8Text.h"
#include "support/HugePages.h"

#include <array>
#include <atomic>
#include <charconv>
#include <cstring>

namespace {

std::atomic<int> g_screenDpi{96};

// ASCII text bytes that the body writes unchanged and that clear both flags.
constexpr auto kOrdinary = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 0x80; ++c) table[c] = true;
    for (unsigned char c : {' ', '\t', '\n', '\r', '\\', '{', '}'}) table[c] = false;
    return table;
}();

// The style of one open group.
struct RenderStyle {
    std::string face;
    std::int32_t size = 24;      // half-points
    std::int32_t colour = 0;     // colour table index
    std::int32_t highlight = 1;  // colour table index
    std::int32_t leftMargin = 0;
    std::int32_t rightMargin = 0;
    std::int32_t topMargin = 0;
    std::int32_t bottomMargin = 0;
};

// Half-points of the base font's height h (pixels; negative heights give 12 pt).
std::int32_t BaseSize(std::int32_t h) {
    if (h >= 36) return 72;
    if (h >= 24) return 48;
    if (h >= 18) return 36;
    if (h >= 16) return 32;
    if (h >= 14) return 28;
    if (h >= 12) return 24;
    if (h >= 10) return 20;
    if (h >= 8) return 18;
    return 24;
}

std::int32_t HtmlSize(std::int32_t n) {
    switch (n) {
        case 1: return 15;
        case 2: return 20;
        case 4: return 27;
        case 5: return 36;
        case 6: return 48;
        case 7: return 72;
        default: return 24;
    }
}

void AppendNumber(std::string& out, long long value) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void AppendControl(std::string& out, std::string_view word, long long value) {
    out += word;
    AppendNumber(out, value);
}

// A face name as a font table entry holds it: the RTF specials escaped and
// non-ASCII as \uN?, so that no name can end the table or the document.
void AppendFaceName(std::string& out, std::string_view face) {
    for (std::size_t pos = 0; pos < face.size();) {
        const char c = face[pos];
        if (static_cast<unsigned char>(c) >= 0x80) {
            utf8text::AppendRtfUnicode(out, utf8text::NextCharacter(face, pos));
            continue;
        }
        if (c == '\\' || c == '{' || c == '}') out += '\\';
        out += c;
        ++pos;
    }
}

}  // namespace

LogFont DefaultGuiFont() {
    LogFont font;
    font.height = -11;
    font.weight = 400;
    font.charSet = 1;
    font.face = "MS Shell Dlg";
    return font;
}

int TwipsPerPixelForDpi(int dpi) {
    if (dpi <= 0 || dpi > 1440) return 15;
    return 1440 / dpi;
}

void SetScreenDpi(int dpi) { g_screenDpi = dpi; }
int ScreenTwipsPerPixel() { return TwipsPerPixelForDpi(g_screenDpi); }

// Writes the body of one rendering: scans text and tags, keeps the flags and
// the style stack, and fills the renderer's font and colour tables.
class MarkupBodyWriter {
public:
    MarkupBodyWriter(MarkupRtfRenderer& renderer, std::int32_t baseSize) : m_r(renderer) {
        m_style.face = renderer.m_fonts[0].face;
        m_style.size = baseSize;
        m_body.reserve(1000);
    }

    // False when a closing tag finds no open group.
    bool Write(std::string_view markup) {
        // Text comes out about as long as it goes in; grow once, not by doubling.
        m_body.reserve(markup.size() + markup.size() / 4 + 1000);
        PreferHugePages(m_body.data(), m_body.capacity());
        std::size_t pos = 0;
        const std::size_t n = markup.size();
        while (pos < n) {
            std::size_t lt = markup.find('<', pos);
            WriteText(markup.substr(pos, (lt == std::string_view::npos ? n : lt) - pos));
            if (lt == std::string_view::npos) break;
            std::size_t gt = markup.find('>', lt + 1);
            if (gt == std::string_view::npos) break;  // an unfinished tag ends the markup
            if (!HandleTag(markup.substr(lt + 1, gt - lt - 1))) return false;
            pos = gt + 1;
        }
        return true;
    }

    // Every character as it is: no tag, no entity, spaces kept, a line feed
    // a paragraph mark.
    void WriteLiteral(std::string_view text) {
        m_body.reserve(text.size() + text.size() / 4 + 1000);
        for (std::size_t pos = 0; pos < text.size();) {
            const char c = text[pos];
            if (static_cast<unsigned char>(c) >= 0x80) {
                utf8text::AppendRtfUnicode(m_body, utf8text::NextCharacter(text, pos));
                continue;
            }
            ++pos;
            switch (c) {
                case '\n': m_body += "\\par "; break;
                case '\t': m_body += "\\tab "; break;
                case '\r': break;
                case '\\':
                case '{':
                case '}':
                    m_body += '\\';
                    m_body += c;
                    break;
                default: m_body += c; break;
            }
        }
    }

    std::string& Body() { return m_body; }

    // Closes the groups that the markup left open, so that the document's
    // braces balance.
    void CloseOpenGroups() {
        m_body.append(m_stack.size(), '}');
        m_stack.clear();
    }

private:
    void WriteText(std::string_view text) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
        for (std::size_t pos = 0; pos < text.size();) {
            // A run of ordinary ASCII is written as it is, in one append.
            std::size_t end = pos;
            while (end < text.size() && kOrdinary[bytes[end]]) ++end;
            if (end > pos) {
                m_body.append(text.data() + pos, end - pos);
                m_atLineStart = false;
                m_afterSpace = false;
                pos = end;
                continue;
            }
            const char c = text[pos];
            if (static_cast<unsigned char>(c) >= 0x80) {
                // The document is 7-bit: a character beyond ASCII goes out as \uN?.
                utf8text::AppendRtfUnicode(m_body, utf8text::NextCharacter(text, pos));
                m_atLineStart = false;
                m_afterSpace = false;
                continue;
            }
            ++pos;
            switch (c) {
                case ' ':
                case '\t':
                    if (!m_atLineStart && !m_afterSpace) m_body += ' ';
                    m_afterSpace = true;
                    break;
                case '\n':
                    if (!m_afterSpace) m_body += ' ';
                    break;
                case '\r': break;
                case '\\':
                case '{':
                case '}':
                    m_body += '\\';
                    m_body += c;
                    m_afterSpace = false;
                    break;
                default:
                    m_body += c;
                    m_atLineStart = false;
                    m_afterSpace = false;
                    break;
            }
        }
    }

    enum class Group { kNone, kOpens, kCloses };

    bool HandleTag(std::string_view rawTag) {
        std::string& tag = m_tag;  // one buffer for every tag: no allocation per tag
        tag.assign(rawTag);
        markup::LowerAscii(tag);
        std::size_t nameLength = markup::TagNameLength(tag);
        std::string_view name(tag.data(), nameLength);
        std::string_view attrs = markup::SkipSpace(std::string_view(tag).substr(nameLength));

        const bool lineStart = m_atLineStart;
        m_atLineStart = false;
        const RenderStyle before = m_style;
        m_fragment.clear();
        Group group = HandleOpening(name, attrs, lineStart);
        if (group == Group::kNone) group = HandleClosing(name);

        if (group == Group::kOpens) {
            if (attrs.find("style=") != std::string_view::npos) ReadInlineStyle(attrs);
            m_stack.push_back(before);
            m_body += '{';
            m_body += m_fragment;
            WriteStyleChanges(before);
        } else if (group == Group::kCloses) {
            if (m_stack.empty()) {
                m_r.m_failure = "closing tag </" + std::string(name.substr(1)) + "> with no open group";
                return false;
            }
            m_style = std::move(m_stack.back());
            m_stack.pop_back();
            m_body += m_fragment;
            m_body += "}\r\n";
        } else {
            m_body += m_fragment;
        }
        return true;
    }

    Group HandleOpening(std::string_view name, std::string_view attrs, bool lineStart) {
        if (name == "b" || name == "strong") {
            m_fragment = "\\b1 ";
        } else if (name == "i") {
            m_fragment = "\\i1 ";
        } else if (name == "u") {
            m_fragment = "\\ul1 ";
        } else if (name == "br") {
            m_fragment = "\\line ";
            SetBreakFlags();
        } else if (name == "p") {
            if (!lineStart) m_fragment = "\\par";
            m_fragment += "\\par ";
            SetBreakFlags();
        } else if (name == "body") {
            Body(attrs);
            return Group::kOpens;
        } else if (name == "font") {
            Font(attrs);
            return Group::kOpens;
        } else if (name == "a" || name == "span") {
            return Group::kOpens;
        } else if (name == "div") {
            Div(attrs, lineStart);
            return Group::kOpens;
        } else if (name == "table") {
            Table(attrs);
            return Group::kOpens;
        } else if (name == "tr") {
            m_fragment = "\\intbl ";
            m_afterSpace = true;
        } else if (name == "td") {
            m_fragment = "\\par ";
            m_afterSpace = true;
        } else if (name == "col") {
            Col(attrs);
        }
        return Group::kNone;
    }

    Group HandleClosing(std::string_view name) {
        if (name == "/b" || name == "/strong") {
            m_fragment = "\\b0 ";
        } else if (name == "/i") {
            m_fragment = "\\i0 ";
        } else if (name == "/u") {
            m_fragment = "\\ulnone ";
        } else if (name == "/tr") {
            m_fragment = "\\row ";
            m_afterSpace = true;
        } else if (name == "/td") {
            m_fragment = "\\cell ";
            m_afterSpace = true;
        } else if (name == "/body" || name == "/font" || name == "/a" || name == "/span") {
            return Group::kCloses;
        } else if (name == "/div") {
            m_fragment = "\\par ";
            SetBreakFlags();
            return Group::kCloses;
        } else if (name == "/table") {
            SetBreakFlags();
            return Group::kCloses;
        }
        return Group::kNone;
    }

    void SetBreakFlags() {
        m_atLineStart = true;
        m_afterSpace = true;
    }

    std::int32_t Pixels(std::int32_t value) const {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) *
                                         static_cast<std::uint32_t>(m_r.m_twipsPerPixel));
    }

    std::int32_t IntegerAttribute(std::string_view attrs, std::string_view key, std::int32_t absent) const {
        auto value = markup::FindAttribute(attrs, key, markup::AttributeRule::kHtml);
        return value ? markup::AtoL(*value) : absent;
    }

    void Body(std::string_view attrs) {
        if (auto value = markup::FindAttribute(attrs, "bgcolor", markup::AttributeRule::kHtml)) {
            std::uint32_t colour = ColourValue(*value);
            m_style.highlight = ColourIndex(colour);
            m_background = colour;
        }
        m_style.leftMargin = IntegerAttribute(attrs, "leftmargin", 8);
        m_style.rightMargin = IntegerAttribute(attrs, "rightmargin", 8);
        m_style.topMargin = IntegerAttribute(attrs, "topmargin", 8);
        m_style.bottomMargin = IntegerAttribute(attrs, "bottommargin", 8);
        AppendControl(m_fragment, "\\margt", Pixels(m_style.topMargin));
        AppendControl(m_fragment, "\\margb", Pixels(m_style.bottomMargin));
        AppendControl(m_fragment, "\\li", Pixels(m_style.leftMargin));
        AppendControl(m_fragment, "\\ri", Pixels(m_style.rightMargin));
    }

    void Font(std::string_view attrs) {
        using markup::AttributeRule;
        if (auto value = markup::FindAttribute(attrs, "color", AttributeRule::kHtml))
            m_style.colour = ColourIndex(ColourValue(*value));
        if (auto value = markup::FindAttribute(attrs, "size", AttributeRule::kHtml))
            m_style.size = HtmlSize(markup::AtoL(*value));
        if (auto value = markup::FindAttribute(attrs, "face", AttributeRule::kHtml)) m_style.face = std::string(*value);
    }

    void Div(std::string_view attrs, bool lineStart) {
        using markup::AttributeRule;
        if (!lineStart) {
            m_fragment = "\\par ";
            SetBreakFlags();
        }
        if (auto align = markup::FindAttribute(attrs, "align", AttributeRule::kHtml)) {
            if (*align == "center")
                m_fragment += "\\qc ";
            else if (*align == "left")
                m_fragment += "\\ql ";
            else if (*align == "right")
                m_fragment += "\\qr ";
            else if (*align == "justify")
                m_fragment += "\\qj ";
        }
        if (markup::FindAttribute(attrs, "nowrap", AttributeRule::kHtml)) m_fragment += "\\nowwrap ";
    }

    void Table(std::string_view attrs) {
        std::int32_t border = IntegerAttribute(attrs, "border", 0);
        m_style.leftMargin = 0;
        m_style.rightMargin = 0;
        m_fragment = "\\par\\trowd \\trgaph108\\trleft-108";
        for (std::string_view side : {"\\trbrdrt", "\\trbrdrl", "\\trbrdrb", "\\trbrdrr"}) {
            m_fragment += side;
            AppendControl(m_fragment, "\\brdrs\\brdrw", border);
            m_fragment += ' ';
        }
        m_cellEdge = 0;
        m_afterSpace = true;
    }

    void Col(std::string_view attrs) {
        std::int32_t width = IntegerAttribute(attrs, "width", 0);
        m_cellEdge = static_cast<std::int32_t>(static_cast<std::uint32_t>(m_cellEdge) +
                                               static_cast<std::uint32_t>(Pixels(width)));
        m_fragment =
            "\\clbrdrt\\brdrw15\\brdrs\\clbrdrl\\brdrw15\\brdrs"
            "\\clbrdrb\\brdrw15\\brdrs\\clbrdrr\\brdrw15\\brdrs";
        AppendControl(m_fragment, "\\cellx", m_cellEdge);
        m_afterSpace = true;
    }

    void ReadInlineStyle(std::string_view attrs) {
        using markup::AttributeRule;
        if (auto value = markup::FindAttribute(attrs, "color", AttributeRule::kCss))
            m_style.colour = ColourIndex(ColourValue(*value));
        if (auto value = markup::FindAttribute(attrs, "background-color", AttributeRule::kCss))
            m_style.highlight = ColourIndex(ColourValue(*value));
    }

    void WriteStyleChanges(const RenderStyle& before) {
        bool any = false;
        if (m_style.colour != before.colour) {
            AppendControl(m_body, "\\cf", static_cast<long long>(m_style.colour) + 1);
            any = true;
        }
        if (m_style.highlight != before.highlight) {
            AppendControl(m_body, "\\highlight", static_cast<long long>(m_style.highlight) + 1);
            any = true;
        }
        if (m_style.size != before.size) {
            AppendControl(m_body, "\\fs", m_style.size);
            any = true;
        }
        if (m_style.face != before.face) {
            AppendControl(m_body, "\\f", FontNumber(m_style.face));
            any = true;
        }
        if (any) m_body += ' ';
    }

    std::uint32_t ColourValue(std::string_view value) const {
        if (!value.empty() && value[0] == '#') {
            std::uint32_t v = static_cast<std::uint32_t>(markup::StrToL16(value.substr(1)));
            return ((v >> 16) & 0xFF) | (v & 0xFF00) | ((v & 0xFF) << 16);
        }
        const SystemColours& sys = m_r.m_systemColours;
        if (value == "window") return sys.window;
        if (value == "windowtext") return sys.windowText;
        if (value == "buttonface") return sys.buttonFace;
        if (value == "buttontext") return sys.buttonText;
        return 0;
    }

    std::int32_t ColourIndex(std::uint32_t colour) {
        auto& table = m_r.m_colours;
        for (std::size_t i = 0; i < table.size(); ++i)
            if (table[i] == colour) return static_cast<std::int32_t>(i);
        table.push_back(colour);
        return static_cast<std::int32_t>(table.size() - 1);
    }

    std::int32_t FontNumber(const std::string& face) {
        auto& fonts = m_r.m_fonts;
        for (std::size_t i = 0; i < fonts.size(); ++i)
            if (markup::EqualsIgnoringAsciiCase(fonts[i].face, face)) return static_cast<std::int32_t>(i);
        LogFont record;
        record.face = face;
        fonts.push_back(std::move(record));
        return static_cast<std::int32_t>(fonts.size() - 1);
    }

public:
    std::uint32_t m_background = 0;

private:
    MarkupRtfRenderer& m_r;
    RenderStyle m_style;
    std::vector<RenderStyle> m_stack;
    std::string m_body;
    std::string m_fragment;
    std::string m_tag;
    std::int32_t m_cellEdge = 0;
    bool m_atLineStart = false;
    bool m_afterSpace = true;
};

MarkupRtfRenderer::MarkupRtfRenderer(int twipsPerPixel, SystemColours systemColours)
        : m_twipsPerPixel(twipsPerPixel), m_systemColours(systemColours) {}

std::int32_t MarkupRtfRenderer::Begin(const LogFont& baseFont, std::uint32_t textColour,
                                      std::uint32_t backgroundColour) {
    m_failure.clear();
    m_fonts.assign(1, baseFont);
    m_colours = {textColour, backgroundColour};
    return BaseSize(baseFont.height);
}

std::optional<std::string> MarkupRtfRenderer::RenderToRtf(std::string_view markup, const LogFont& baseFont,
                                                          std::uint32_t textColour, std::uint32_t& backgroundColour) {
    // The markup is a C string: it ends at the first NUL.
    markup = markup.substr(0, markup.find('\0'));
    const std::int32_t baseSize = Begin(baseFont, textColour, backgroundColour);
    MarkupBodyWriter writer(*this, baseSize);
    writer.m_background = backgroundColour;
    if (!writer.Write(markup)) return std::nullopt;
    writer.CloseOpenGroups();
    return Finish(writer, baseSize, backgroundColour);
}

std::string MarkupRtfRenderer::RenderLiteral(std::string_view text, const LogFont& baseFont, std::uint32_t textColour,
                                             std::uint32_t backgroundColour) {
    text = text.substr(0, text.find('\0'));
    const std::int32_t baseSize = Begin(baseFont, textColour, backgroundColour);
    MarkupBodyWriter writer(*this, baseSize);
    writer.m_background = backgroundColour;
    writer.WriteLiteral(text);
    return Finish(writer, baseSize, backgroundColour);
}

std::string MarkupRtfRenderer::Finish(MarkupBodyWriter& writer, std::int32_t baseSize,
                                      std::uint32_t& backgroundColour) {
    std::string head;
    head.reserve(200 + 40 * (m_fonts.size() + m_colours.size()));
    head += "{\\rtf1\\ansi";
    head += "\\deff0{\\fonttbl";
    for (std::size_t i = 0; i < m_fonts.size(); ++i) {
        AppendControl(head, "{\\f", static_cast<long long>(i));
        head += "\\fnil\\fcharset0 ";
        AppendFaceName(head, m_fonts[i].face);
        head += ";}";
    }
    head += "}";
    head += "{\\colortbl ;";
    for (std::uint32_t colour : m_colours) {
        AppendControl(head, "\\red", colour & 0xFF);
        AppendControl(head, "\\green", (colour >> 8) & 0xFF);
        AppendControl(head, "\\blue", (colour >> 16) & 0xFF);
        head += ';';
    }
    head += "}";
    head += "\\pard\\plain\\tx0";
    AppendControl(head, "\\fs", baseSize);
    head += ' ';
    // The body is nearly all of the document: the head goes in front of it,
    // usually within the body's reserve, rather than the body being copied
    // behind the head.
    std::string& body = writer.Body();
    body.insert(0, head);
    body += '}';
    backgroundColour = writer.m_background;
    return std::move(body);
}

std::optional<std::string> RenderToRtf(std::string_view markup, const RenderOptions& options,
                                       std::uint32_t* finalBackground, std::string* failure) {
    MarkupRtfRenderer renderer(options.twipsPerPixel, options.systemColours);
    std::uint32_t background = options.backgroundColour;
    auto rtf = renderer.RenderToRtf(markup, options.baseFont, options.textColour, background);
    if (rtf && finalBackground) *finalBackground = background;
    if (!rtf && failure) *failure = renderer.Failure();
    return rtf;
}

std::string RenderLiteralToRtf(std::string_view text, const RenderOptions& options) {
    MarkupRtfRenderer renderer(options.twipsPerPixel, options.systemColours);
    return renderer.RenderLiteral(text, options.baseFont, options.textColour, options.backgroundColour);
}
