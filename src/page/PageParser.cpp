// SPDX-License-Identifier: GPL-3.0-or-later
#include "page/PageParser.h"
#include "support/HexColour.h"

#include "page/HtmlText.h"

#include <gumbo.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace collage {

namespace {

// An HTML parser walks its stack of open elements for every tag, so a page
// nested ever deeper costs it time by the square of its size; a collage is
// a few levels deep. Chromium stops nesting at 512.
constexpr int kDeepestNesting = 512;
constexpr std::size_t kMostTags = 2'000'000;
// Far beyond any page, and far from overflowing an int when added up.
constexpr double kFarthest = 1e8;

bool IsVoidTag(std::string_view name) {
    static constexpr std::string_view kVoid[] = {"area",  "base", "br",   "col",   "embed",  "hr",    "img",
                                                 "input", "link", "meta", "param", "source", "track", "wbr"};
    return std::find(std::begin(kVoid), std::end(kVoid), name) != std::end(kVoid);
}

// How deep the tags would nest if every start tag opened an element that
// its end tag closes; false when too deep or too many for a collage page.
bool NestingIsModest(std::string_view html) {
    int depth = 0;
    std::size_t tags = 0;
    for (std::size_t at = html.find('<'); at != std::string_view::npos; at = html.find('<', at + 1)) {
        const bool closing = at + 1 < html.size() && html[at + 1] == '/';
        const std::size_t start = at + (closing ? 2 : 1);
        std::size_t end = start;
        while (end < html.size() && std::isalnum(static_cast<unsigned char>(html[end]))) ++end;
        if (end == start) continue;
        if (++tags > kMostTags) return false;
        std::string name(html.substr(start, end - start));
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
        if (closing)
            depth = std::max(0, depth - 1);
        else if (!IsVoidTag(name) && ++depth > kDeepestNesting)
            return false;
    }
    return true;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower;
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n\f");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n\f") - first + 1);
}

// An inline style's declarations by lower-case property name; values trimmed,
// quotes around the whole style dropped, the later of two the one that counts.
std::map<std::string, std::string> Declarations(std::string_view style) {
    std::map<std::string, std::string> declarations;
    std::size_t at = 0;
    while (at <= style.size()) {
        const std::size_t end = std::min(style.find(';', at), style.size());
        const std::string_view one = style.substr(at, end - at);
        const std::size_t colon = one.find(':');
        if (colon != std::string_view::npos) {
            std::string value(Trimmed(one.substr(colon + 1)));
            const std::size_t important = Lower(value).find("!important");
            if (important != std::string::npos)
                value = std::string(Trimmed(std::string_view(value).substr(0, important)));
            std::string name = Lower(Trimmed(one.substr(0, colon)));
            std::erase_if(name, [](char c) { return c == '"' || c == '\''; });
            std::erase_if(value, [](char c) { return c == '"' || c == '\''; });
            declarations[name] = value;
        }
        at = end + 1;
    }
    return declarations;
}

// A number at the start of `text` ("12.5px", "-3", "1e2deg"), with what follows.
std::optional<double> LeadingNumber(std::string_view text, std::string_view& rest) {
    text = Trimmed(text);
    std::size_t end = 0;
    while (end < text.size() && (std::isdigit(static_cast<unsigned char>(text[end])) ||
                                 std::string_view("+-.eE").find(text[end]) != std::string_view::npos)) {
        // An "e" is part of the number only before a digit or a sign ("1em" is not).
        if ((text[end] == 'e' || text[end] == 'E') &&
            (end + 1 >= text.size() || !(std::isdigit(static_cast<unsigned char>(text[end + 1])) ||
                                         text[end + 1] == '-' || text[end + 1] == '+')))
            break;
        ++end;
    }
    const std::string number(text.substr(0, end));
    char* stop = nullptr;
    const double value = std::strtod(number.c_str(), &stop);
    if (number.empty() || stop != number.c_str() + number.size() || !std::isfinite(value)) return std::nullopt;
    rest = Trimmed(text.substr(end));
    return value;
}

int Rounded(double value) { return static_cast<int>(std::lround(std::clamp(value, -kFarthest, kFarthest))); }

// A length in pixels: "12px", "12.4PX", "12" (an attribute), as a whole number.
std::optional<int> Pixels(std::string_view text) {
    std::string_view unit;
    const std::optional<double> value = LeadingNumber(text, unit);
    if (!value || !(unit.empty() || Lower(unit) == "px")) return std::nullopt;
    return Rounded(*value);
}

std::uint32_t Bgr(unsigned r, unsigned g, unsigned b) { return r | g << 8 | b << 16; }

// "#RRGGBB", "#RGB", "rgb(r, g, b)" or "rgba(r, g, b, a)" as 0x00BBGGRR;
// nothing for a transparent colour or one not understood.
std::optional<std::uint32_t> Colour(std::string_view text) {
    const std::string colour = Lower(Trimmed(text));
    if (colour.starts_with('#')) return ParseHexColour(colour);
    if (!colour.starts_with("rgb")) return std::nullopt;
    const std::size_t open = colour.find('(');
    std::string_view rest = open == std::string::npos ? std::string_view() : std::string_view(colour).substr(open + 1);
    double parts[4] = {0, 0, 0, 1};
    for (int i = 0; i < 4; ++i) {
        const std::optional<double> part = LeadingNumber(rest, rest);
        if (!part) {
            if (i < 3) return std::nullopt;
            break;
        }
        parts[i] = *part;
        if (rest.starts_with('%')) parts[i] = i < 3 ? *part * 2.55 : *part / 100, rest.remove_prefix(1);
        rest = Trimmed(rest);
        if (rest.starts_with(',') || rest.starts_with('/')) rest.remove_prefix(1);
    }
    if (parts[3] <= 0) return std::nullopt;
    auto channel = [](double v) { return static_cast<unsigned>(std::lround(std::clamp(v, 0.0, 255.0))); };
    return Bgr(channel(parts[0]), channel(parts[1]), channel(parts[2]));
}

// The background colour the style gives, from background-color or from the
// background shorthand (whose colour is any of its words).
std::optional<std::uint32_t> Background(const std::map<std::string, std::string>& style) {
    if (auto colour = style.find("background-color"); colour != style.end()) return Colour(colour->second);
    const auto shorthand = style.find("background");
    if (shorthand == style.end()) return std::nullopt;
    const std::string& value = shorthand->second;
    for (std::size_t at = 0; at < value.size();) {
        const std::size_t word = value.find_first_not_of(' ', at);
        if (word == std::string::npos) break;
        std::size_t end = value.find(' ', word);
        const std::size_t paren = value.find('(', word);
        if (paren != std::string::npos && paren < std::min(end, value.size())) end = value.find(')', paren) + 1;
        if (end == 0) end = value.size();
        if (auto colour = Colour(std::string_view(value).substr(word, std::min(end, value.size()) - word)))
            return colour;
        at = std::min(end, value.size());
    }
    return std::nullopt;
}

// "rotate(15deg)" among the transforms, in degrees ("rad" and "turn" too).
double Rotation(const std::map<std::string, std::string>& style) {
    const auto transform = style.find("transform");
    if (transform == style.end()) return 0;
    const std::string value = Lower(transform->second);
    const std::size_t rotate = value.find("rotate(");
    if (rotate == std::string::npos) return 0;
    std::string_view unit;
    const std::optional<double> angle = LeadingNumber(std::string_view(value).substr(rotate + 7), unit);
    if (!angle) return 0;
    double degrees = *angle;
    if (unit.starts_with("rad"))
        degrees = *angle * 180 / M_PI;
    else if (unit.starts_with("turn"))
        degrees = *angle * 360;
    else if (!unit.starts_with("deg"))
        return 0;
    return std::fmod(degrees, 360.0);
}

const char* Attribute(const GumboNode* node, const char* name) {
    const GumboAttribute* attribute = gumbo_get_attribute(&node->v.element.attributes, name);
    return attribute ? attribute->value : nullptr;
}

std::string AttributeOr(const GumboNode* node, const char* name) {
    const char* value = Attribute(node, name);
    return value ? value : "";
}

bool IsElement(const GumboNode* node, GumboTag tag) {
    return node->type == GUMBO_NODE_ELEMENT && node->v.element.tag == tag;
}

// The elements under `root` in document order (root included), without
// recursion, so no nesting runs the stack out.
template <typename Visit>
void EachElement(const GumboNode* root, Visit visit) {
    std::vector<const GumboNode*> pending{root};
    while (!pending.empty()) {
        const GumboNode* node = pending.back();
        pending.pop_back();
        if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_DOCUMENT) continue;
        if (node->type == GUMBO_NODE_ELEMENT && !visit(node)) continue;
        const GumboVector& children =
            node->type == GUMBO_NODE_DOCUMENT ? node->v.document.children : node->v.element.children;
        for (unsigned i = children.length; i-- > 0;) pending.push_back(static_cast<const GumboNode*>(children.data[i]));
    }
}

const GumboNode* FirstElement(const GumboNode* root, GumboTag tag) {
    const GumboNode* found = nullptr;
    EachElement(root, [&](const GumboNode* node) {
        if (!found && IsElement(node, tag)) found = node;
        return !found;
    });
    return found;
}

std::string TextOf(const GumboNode* root) {
    std::string text;
    std::vector<const GumboNode*> pending{root};
    while (!pending.empty()) {
        const GumboNode* node = pending.back();
        pending.pop_back();
        if (node->type == GUMBO_NODE_TEXT || node->type == GUMBO_NODE_WHITESPACE || node->type == GUMBO_NODE_CDATA) {
            text += node->v.text.text;
        } else if (node->type == GUMBO_NODE_ELEMENT) {
            const GumboVector& children = node->v.element.children;
            for (unsigned i = children.length; i-- > 0;)
                pending.push_back(static_cast<const GumboNode*>(children.data[i]));
        }
    }
    return text;
}

// The number of an item id ("dpagetextitem12~"), or nothing.
std::optional<int> ItemNumber(std::string_view id, std::string_view prefix) {
    if (!id.starts_with(prefix) || !id.ends_with('~')) return std::nullopt;
    const std::string_view digits = id.substr(prefix.size(), id.size() - prefix.size() - 1);
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return number;
}

// Every %XX decoded once, as the page's writer encodes every %.
std::string PercentDecodedAll(std::string_view text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned value = 0;
        if (text[i] == '%' && i + 3 <= text.size() &&
            std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16).ptr == text.data() + i + 3) {
            plain += static_cast<char>(value);
            i += 2;
        } else {
            plain += text[i];
        }
    }
    return plain;
}

// A picture's file from its SRC, relative to the page's folder; a saved
// page's "file:///..." names the file itself.
std::string FileOfBrowserSrc(std::string_view src) {
    src = Trimmed(src);
    if (Lower(src.substr(0, 7)) == "file://") src.remove_prefix(7);
    return detail::FileOfSrc(PercentDecodedAll(src));
}

void ReadPlace(const std::map<std::string, std::string>& style, Item& item) {
    auto pixels = [&](const char* name) {
        const auto found = style.find(name);
        return found == style.end() ? std::nullopt : Pixels(found->second);
    };
    item.left = pixels("left").value_or(0);
    item.top = pixels("top").value_or(0);
    if (auto width = pixels("width")) item.width = *width;
    if (auto height = pixels("height")) item.height = *height;
    if (auto z = style.find("z-index"); z != style.end()) {
        std::string_view rest;
        item.z = static_cast<std::int32_t>(
            std::clamp(LeadingNumber(z->second, rest).value_or(0), -2147483648.0, 2147483647.0));
    }
    item.rotation = Rotation(style);
}

// The font span as the page's writer writes it, from a <font face color>
// and the font-size of a span inside it; "" when there is no font.
std::string FontSpanOfElement(const GumboNode* item) {
    const GumboNode* font = FirstElement(item, GUMBO_TAG_FONT);
    if (!font) return "";
    const std::uint32_t colour = Colour(AttributeOr(font, "color")).value_or(0);
    int points = 12;  // the browser's 16px
    EachElement(font, [&](const GumboNode* node) {
        const auto style = Declarations(AttributeOr(node, "style"));
        if (auto size = style.find("font-size"); size != style.end()) {
            std::string_view unit;
            if (auto value = LeadingNumber(size->second, unit)) {
                const std::string lower = Lower(unit);
                points = std::clamp(Rounded(lower == "px" ? *value * 0.75 : *value), 1, 1000);
            }
        }
        return true;
    });
    return "<font face='" + EscapeHtml(AttributeOr(font, "face")) + "' color='" + HexColour(colour) +
           "'><span style='font-size:" + std::to_string(points) + "pt;'>";
}

std::vector<const GumboNode*> Images(const GumboNode* root) {
    std::vector<const GumboNode*> images;
    EachElement(root, [&](const GumboNode* node) {
        if (IsElement(node, GUMBO_TAG_IMG)) images.push_back(node);
        return true;
    });
    return images;
}

void ReadSnip(const GumboNode* node, const std::map<std::string, std::string>& style, Item& item, bool& marked) {
    if (const char* title = Attribute(node, "title"); title && *title) {
        detail::ReadSourceTitle(title, item);
        // A range the writer would not write ("main 9-2") leaves the source alone.
        if (item.lastWord < item.firstWord) item.firstWord = 0, item.lastWord = -1;
        marked = true;
    }
    const std::vector<const GumboNode*> images = Images(node);
    if (!images.empty() && !FirstElement(node, GUMBO_TAG_FONT)) {
        item.kind = ItemKind::kLetters;
        for (const GumboNode* image : images) {
            item.lettersHtml += "<IMG SRC='" + EscapeHtml(FileOfBrowserSrc(AttributeOr(image, "src"))) + "'>";
        }
        item.lettersHtml += "<BR>";
        item.style = detail::LetterStyle(item);
        return;
    }
    item.kind = ItemKind::kText;
    item.fontSpan = FontSpanOfElement(node);
    item.words = TextOf(node);
    const std::optional<std::uint32_t> background = Background(style);
    item.style = background ? 0 : 1;
    if (background) item.background = *background;
}

void ReadPicture(const GumboNode* node, Item& item) {
    const GumboNode* image = FirstElement(node, GUMBO_TAG_IMG);
    if (!image) return;
    item.file = FileOfBrowserSrc(AttributeOr(image, "src"));
    const auto style = Declarations(AttributeOr(image, "style"));
    auto side = [&](const char* name) {
        const auto fromStyle = style.find(name);
        if (fromStyle != style.end()) return Pixels(fromStyle->second);
        const char* attribute = Attribute(image, name);
        return attribute ? Pixels(attribute) : std::nullopt;
    };
    if (auto width = side("width")) item.width = *width;
    if (auto height = side("height")) item.height = *height;
}

// The item the element is, if its id is an item's.
std::optional<Item> ItemOf(const GumboNode* node, bool& marked) {
    const std::string id(Trimmed(AttributeOr(node, "id")));
    const std::optional<int> text = ItemNumber(id, "dpagetextitem");
    const std::optional<int> picture = ItemNumber(id, "dpageimageitem");
    if (!text && !picture) return std::nullopt;
    Item item;
    const auto style = Declarations(AttributeOr(node, "style"));
    ReadPlace(style, item);
    if (picture) {
        item.kind = ItemKind::kPicture;
        item.number = *picture;
        ReadPicture(node, item);
    } else {
        item.number = *text;
        ReadSnip(node, style, item, marked);
        item.height = 0;
    }
    return item;
}

bool HasCaptureCode(const GumboNode* root) {
    bool found = false;
    EachElement(root, [&](const GumboNode* node) {
        if (IsElement(node, GUMBO_TAG_SCRIPT) && AttributeOr(node, "src").ends_with("canvas.js")) found = true;
        if (IsElement(node, GUMBO_TAG_A) && AttributeOr(node, "href").find("doCanvas") != std::string::npos)
            found = true;
        return !found;
    });
    return found;
}

struct GumboDeleter {
    void operator()(GumboOutput* output) const { gumbo_destroy_output(&kGumboDefaultOptions, output); }
};

}  // namespace

bool ParseBrowserPage(const std::string& html, Collage& collage, std::string& why) {
    collage = Collage{};
    // Every page, as written or as a browser serialises it, ends its html
    // element; a file without the end is cut short, and reading it would
    // lose the items after the cut on the next save.
    if (Lower(html).find("</html") == std::string::npos) {
        why = "it stops before its end (</html>), as a file cut short does";
        return false;
    }
    if (!NestingIsModest(html)) {
        why = "its tags nest deeper or are more than a collage page's";
        return false;
    }
    GumboOptions options = kGumboDefaultOptions;
    options.max_errors = 0;  // a page's mistakes are not reported; the items are what counts
    const std::unique_ptr<GumboOutput, GumboDeleter> output(
        gumbo_parse_with_options(&options, html.data(), html.size()));
    if (!output) {
        why = "it could not be parsed as HTML";
        return false;
    }
    const GumboNode* container = nullptr;
    EachElement(output->document, [&](const GumboNode* node) {
        if (!container && Trimmed(AttributeOr(node, "id")) == "pagecontainer") container = node;
        return !container;
    });
    if (!container) {
        why = "it has no page container (an element with the id pagecontainer), so it is no collage page";
        return false;
    }
    const std::optional<std::uint32_t> background = Background(Declarations(AttributeOr(container, "style")));
    if (!background) {
        why = "its page container has no background colour";
        return false;
    }
    collage.background = *background;
    collage.captureCode = HasCaptureCode(output->document);
    EachElement(output->document, [&](const GumboNode* node) {
        if (std::optional<Item> item = ItemOf(node, collage.markSources)) {
            collage.items.push_back(std::move(*item));
            return false;  // an item inside an item is part of it
        }
        return true;
    });
    return true;
}

}  // namespace collage
