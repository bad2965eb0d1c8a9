// SPDX-License-Identifier: GPL-3.0-or-later
#include "page/CollageModel.h"
#include "support/HexColour.h"

#include "page/ArtFontLetters.h"
#include "page/PageParser.h"
#include "page/PageSkeleton.h"
#include "page/HtmlText.h"
#include "support/PictureNames.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace collage {

namespace {

constexpr std::string_view kTextIdStart = "<div id='dpagetextitem";
constexpr std::string_view kPictureIdStart = "<div id='dpageimageitem";
constexpr std::string_view kSpanEnd = "</span></font>";
constexpr std::string_view kRotationStart = ";transform:rotate(";
constexpr std::string_view kRotationEnd = "deg)";

// Shortest form that reads back as the same number.
std::string RotationStyle(double rotation) {
    if (rotation == 0 || !std::isfinite(rotation)) return "";
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, rotation).ptr;
    return std::string(kRotationStart) + std::string(buffer, end) + std::string(kRotationEnd);
}

std::string TextItemHtml(const Item& item, bool markSources) {
    std::string html = std::string(kTextIdStart) + std::to_string(item.number) + "~'";
    if (markSources && !item.source.empty()) html += " title='" + EscapeHtml(SourceTitle(item)) + "'";
    html += " style='position:absolute;top:" + std::to_string(item.top) + "px;left:" + std::to_string(item.left) +
            "px;width:" + std::to_string(item.width) + "px;text-align:left;";
    if (item.kind == ItemKind::kText && item.style == 0) {
        html += "background-color:" + HexColour(item.background) + ";Z-INDEX:";
    } else {
        html += "background:transparent;Z-INDEX:";
    }
    html += std::to_string(item.z) + RotationStyle(item.rotation) + "'>";
    if (item.kind == ItemKind::kLetters) {
        html += item.lettersHtml;
    } else {
        html += item.fontSpan + EscapeHtml(item.words) + std::string(kSpanEnd);
    }
    return html + "</div>";
}

// The name as the SRC gives it: a name a browser would take for a web
// address ("https:x.gif") is named from the page's own folder.
// Pages written before this rule name such a file bare; they are still
// read, and written the new way.
enum class SchemeNames { FromFolder, AsBefore };

std::string SrcName(const std::string& file, SchemeNames names) {
    return names == SchemeNames::FromFolder && ReadsAsUrlScheme(file) ? "./" + file : file;
}

}  // namespace

namespace detail {
std::string FileOfSrc(std::string src) {
    if (src.starts_with("./") && ReadsAsUrlScheme(std::string_view(src).substr(2))) src.erase(0, 2);
    return src;
}
}  // namespace detail

namespace {

std::string PictureItemHtml(const Item& item, SchemeNames names) {
    const std::string n = std::to_string(item.number);
    return std::string(kPictureIdStart) + n + "~' style='position:absolute;top:" + std::to_string(item.top) +
           "px;left:" + std::to_string(item.left) + "px;background:transparent;Z-INDEX:" + std::to_string(item.z) +
           RotationStyle(item.rotation) + "'><IMG name='pageimageitem" + n + "~' SRC='" +
           EscapeFileNameForSrc(SrcName(item.file, names)) + "' width=" + std::to_string(item.width) +
           " height=" + std::to_string(item.height) + " BORDER=0></div>";
}

// Reads the page front to back; every step either takes what it expects or
// leaves the reader failed with the place it stopped.
class PageReader {
public:
    explicit PageReader(std::string_view text) : m_text(text) {}

    bool Failed() const { return m_failed; }
    bool LooksAt(std::string_view literal) const { return m_text.substr(m_at, literal.size()) == literal; }

    void Expect(std::string_view literal) {
        if (m_failed) return;
        if (!LooksAt(literal)) {
            m_failed = true;
            return;
        }
        m_at += literal.size();
    }
    bool Take(std::string_view literal) {
        if (m_failed || !LooksAt(literal)) return false;
        m_at += literal.size();
        return true;
    }
    long Int() {
        if (m_failed) return 0;
        size_t end = m_at;
        if (end < m_text.size() && m_text[end] == '-') ++end;
        const size_t digits = end;
        while (end < m_text.size() && end - digits < 10 && m_text[end] >= '0' && m_text[end] <= '9') ++end;
        if (end == digits) {
            m_failed = true;
            return 0;
        }
        const long value = std::strtol(std::string(m_text.substr(m_at, end - m_at)).c_str(), nullptr, 10);
        m_at = end;
        return value;
    }
    // The rotation after an item's z, 0 when there is none.
    double Rotation() {
        if (!Take(kRotationStart)) return 0;
        const std::string_view number = Until(kRotationEnd);
        double value = 0;
        if (m_failed ||
            std::from_chars(number.data(), number.data() + number.size(), value).ptr != number.data() + number.size())
            m_failed = true;
        return value;
    }
    // Everything up to `literal`, which is passed over too.
    std::string_view Until(std::string_view literal) {
        if (m_failed) return {};
        const size_t end = m_text.find(literal, m_at);
        if (end == std::string_view::npos) {
            m_failed = true;
            return {};
        }
        std::string_view taken = m_text.substr(m_at, end - m_at);
        m_at = end + literal.size();
        return taken;
    }
    // "#RRGGBB" up to `end`, as 0x00BBGGRR.
    std::uint32_t Colour(std::string_view end) {
        std::string_view hex = Until(end);
        if (m_failed || hex.size() != 7 || hex[0] != '#' ||
            hex.find_first_not_of("0123456789ABCDEF", 1) != std::string_view::npos) {
            m_failed = true;
            return 0;
        }
        const std::uint32_t rgb =
            static_cast<std::uint32_t>(std::strtoul(std::string(hex.substr(1)).c_str(), nullptr, 16));
        return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
    }

private:
    std::string_view m_text;
    size_t m_at = 0;
    bool m_failed = false;
};

std::string Unescape(std::string_view text) {
    std::string plain;
    plain.reserve(text.size());
    static constexpr std::pair<std::string_view, char> kEntities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&#39;", '\''}};
    for (size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (const auto& [entity, c] : kEntities) {
            if (text.substr(i, entity.size()) == entity) {
                plain += c;
                i += entity.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) plain += text[i++];
    }
    return plain;
}

std::string PercentDecoded(const std::string& text) {
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        const std::string_view code = std::string_view(text).substr(i, 3);
        if (code == "%25")
            plain += '%';
        else if (code == "%23")
            plain += '#';
        else if (code == "%3F")
            plain += '?';
        else {
            plain += text[i];
            continue;
        }
        i += 2;
    }
    return plain;
}

}  // namespace

namespace detail {
// The lettered style whose letter folder the first picture is in.
int LetterStyle(const Item& item) {
    const std::vector<std::string> letters = item.Letters();
    for (int style = 2; style <= 5 && !letters.empty(); ++style) {
        if (letters.front().starts_with(ArtFontPrefix(style))) return style;
    }
    return 2;
}
}  // namespace detail

namespace {

void ReadTextContent(std::string_view content, Item& item) {
    if (!content.ends_with(kSpanEnd)) {
        item.kind = ItemKind::kLetters;
        item.lettersHtml = std::string(content);
        item.style = detail::LetterStyle(item);
        return;
    }
    content.remove_suffix(kSpanEnd.size());
    if (content.starts_with("<font ")) {
        constexpr std::string_view kSizeStart = "<span style='font-size:";
        const size_t size = content.find(kSizeStart);
        const size_t end = size == std::string_view::npos ? size : content.find("'>", size + kSizeStart.size());
        if (end != std::string_view::npos) {
            item.fontSpan = std::string(content.substr(0, end + 2));
            content.remove_prefix(end + 2);
        }
    }
    item.words = Unescape(content);
}

}  // namespace

namespace detail {
// "main 12-14" or "main" back into the item; the page's bytes are checked
// by writing it again, so a label that merely looks like this is refused there.
void ReadSourceTitle(const std::string& title, Item& item) {
    item.source = title;
    const size_t space = title.rfind(' ');
    const size_t dash = space == std::string::npos ? space : title.find('-', space);
    if (dash == std::string::npos) return;
    const std::string first = title.substr(space + 1, dash - space - 1);
    const std::string last = title.substr(dash + 1);
    const auto digits = [](const std::string& t) {
        return !t.empty() && t.size() < 10 && t.find_first_not_of("0123456789") == std::string::npos;
    };
    if (!digits(first) || !digits(last)) return;
    item.source = title.substr(0, space);
    item.firstWord = std::atoi(first.c_str());
    item.lastWord = std::atoi(last.c_str());
}
}  // namespace detail

namespace {

bool ReadTextItem(PageReader& reader, Item& item, bool& marked) {
    item.kind = ItemKind::kText;
    item.number = static_cast<int>(reader.Int());
    reader.Expect("~'");
    if (reader.Take(" title='")) {
        detail::ReadSourceTitle(Unescape(reader.Until("'")), item);
        marked = true;
    }
    reader.Expect(" style='position:absolute;top:");
    item.top = static_cast<int>(reader.Int());
    reader.Expect("px;left:");
    item.left = static_cast<int>(reader.Int());
    reader.Expect("px;width:");
    item.width = static_cast<int>(reader.Int());
    reader.Expect("px;text-align:left;");
    if (reader.Take("background-color:")) {
        item.style = 0;
        item.background = reader.Colour(";");
        reader.Expect("Z-INDEX:");
    } else {
        item.style = 1;
        reader.Expect("background:transparent;Z-INDEX:");
    }
    item.z = static_cast<std::int32_t>(reader.Int());
    item.rotation = reader.Rotation();
    reader.Expect("'>");
    const std::string_view content = reader.Until("</div>");
    if (reader.Failed()) return false;
    ReadTextContent(content, item);
    return item.kind == ItemKind::kText || item.style > 1;
}

bool ReadPictureItem(PageReader& reader, Item& item) {
    item.kind = ItemKind::kPicture;
    item.number = static_cast<int>(reader.Int());
    reader.Expect("~' style='position:absolute;top:");
    item.top = static_cast<int>(reader.Int());
    reader.Expect("px;left:");
    item.left = static_cast<int>(reader.Int());
    reader.Expect("px;background:transparent;Z-INDEX:");
    item.z = static_cast<std::int32_t>(reader.Int());
    item.rotation = reader.Rotation();
    reader.Expect("'><IMG name='pageimageitem" + std::to_string(item.number) + "~' SRC='");
    item.file = detail::FileOfSrc(PercentDecoded(Unescape(reader.Until("'"))));
    reader.Expect(" width=");
    item.width = static_cast<int>(reader.Int());
    reader.Expect(" height=");
    item.height = static_cast<int>(reader.Int());
    reader.Expect(" BORDER=0></div>");
    return !reader.Failed();
}

}  // namespace

std::string Item::PageId() const {
    return (kind == ItemKind::kPicture ? "dpageimageitem" : "dpagetextitem") + std::to_string(number) + "~";
}

std::vector<std::string> Item::Letters() const {
    std::vector<std::string> letters;
    constexpr std::string_view kSrc = "SRC='";
    const std::string_view html = lettersHtml;
    for (size_t at = html.find(kSrc); at != std::string_view::npos; at = html.find(kSrc, at)) {
        at += kSrc.size();
        const size_t end = html.find('\'', at);
        if (end == std::string_view::npos) break;
        letters.push_back(Unescape(html.substr(at, end - at)));
        at = end;
    }
    return letters;
}

SpanFont ParseFontSpan(const std::string& span) {
    SpanFont font;
    PageReader reader(span);
    if (!reader.Take("<font face='")) return font;
    font.face = Unescape(reader.Until("' color='"));
    font.colour = reader.Colour("'>");
    reader.Expect("<span style='font-size:");
    font.pointSize = static_cast<int>(reader.Int());
    if (reader.Failed()) return SpanFont{};
    return font;
}

std::string ItemHtml(const Item& item, bool markSources) {
    return item.kind == ItemKind::kPicture ? PictureItemHtml(item, SchemeNames::FromFolder)
                                           : TextItemHtml(item, markSources);
}

std::string SourceTitle(const Item& item) {
    if (item.source.empty() || item.lastWord < item.firstWord) return item.source;
    return item.source + " " + std::to_string(item.firstWord) + "-" + std::to_string(item.lastWord);
}

Collage PageOnly(const Collage& collage) {
    Collage page = collage;
    page.mix.clear();
    for (Item& item : page.items) {
        item.kept = false;
        if (item.kind == ItemKind::kLetters) item.words.clear();
        if (!page.markSources) {
            item.source.clear();
            item.firstWord = 0;
            item.lastWord = -1;
        }
    }
    return page;
}

std::string DragItemIds(const Collage& collage) {
    std::string ids;
    for (const Item& item : collage.items) AppendDragItemId(ids, item);
    return ids;
}

void AppendDragItemId(std::string& ids, const Item& item) {
    ids += '\'';
    ids += item.PageId();
    ids += "',";
}

namespace {

std::string WritePageWith(const Collage& collage, SchemeNames names) {
    std::string html = page::Head(collage.captureCode) + HexColour(collage.background) + page::kContainerOpenEnd;
    for (const Item& item : collage.items) {
        html +=
            item.kind == ItemKind::kPicture ? PictureItemHtml(item, names) : TextItemHtml(item, collage.markSources);
    }
    return html + page::Tail(DragItemIds(collage));
}

bool NamesAnyScheme(const Collage& collage) {
    for (const Item& item : collage.items) {
        if (item.kind == ItemKind::kPicture && ReadsAsUrlScheme(item.file)) return true;
    }
    return false;
}

}  // namespace

std::string WritePage(const Collage& collage) { return WritePageWith(collage, SchemeNames::FromFolder); }

namespace {

// A page exactly as WritePage writes it (or wrote it before names of URL
// schemes were marked). Read from its bytes, such a page keeps characters
// that an HTML parser would change (a carriage return in the words).
bool ReadWrittenPage(const std::string& html, Collage& collage) {
    collage = Collage{};
    collage.captureCode = html.starts_with(page::Head(true));
    PageReader reader(html);
    reader.Expect(page::Head(collage.captureCode));
    collage.background = reader.Colour(page::kContainerOpenEnd);
    if (reader.Failed()) return false;
    for (;;) {
        Item item;
        if (reader.Take(kTextIdStart)) {
            if (!ReadTextItem(reader, item, collage.markSources)) break;
        } else if (reader.Take(kPictureIdStart)) {
            if (!ReadPictureItem(reader, item)) break;
        } else {
            break;
        }
        collage.items.push_back(std::move(item));
    }
    return WritePage(collage) == html ||
           (NamesAnyScheme(collage) && WritePageWith(collage, SchemeNames::AsBefore) == html);
}

}  // namespace

bool ReadPage(const std::string& html, Collage& collage, std::string& why) {
    if (ReadWrittenPage(html, collage)) return true;
    if (!ParseBrowserPage(html, collage, why)) return false;
    // What was read is saved through the same writer: it must come back
    // as it was read, or the page would change on every save.
    Collage again;
    if (!ReadWrittenPage(WritePage(collage), again) || again != collage) {
        why = "its items cannot be written back as they were read";
        return false;
    }
    return true;
}

}  // namespace collage
