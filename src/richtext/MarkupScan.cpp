// SPDX-License-Identifier: GPL-3.0-or-later
#include "richtext/MarkupScan.h"

#include <limits>

namespace markup {
namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

int HexDigit(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads digits of `base` from `pos`, saturating at the 32-bit long limits.
std::int32_t ReadNumber(std::string_view text, std::size_t pos, bool negative, int base) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    std::int64_t value = 0;
    bool overflow = false;
    for (; pos < text.size(); ++pos) {
        int digit = base == 16 ? HexDigit(text[pos]) : (IsDigit(text[pos]) ? text[pos] - '0' : -1);
        if (digit < 0) break;
        value = value * base + digit;
        if (value > kMax + 1) {
            overflow = true;
            value = kMax + 1;
        }
    }
    if (negative) return value > kMax ? std::numeric_limits<std::int32_t>::min() : static_cast<std::int32_t>(-value);
    if (overflow || value > kMax) return static_cast<std::int32_t>(kMax);
    return static_cast<std::int32_t>(value);
}

std::size_t SkipSign(std::string_view text, std::size_t pos, bool& negative) {
    while (pos < text.size() && IsSpace(text[pos])) ++pos;
    negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    return pos;
}

}  // namespace

void LowerAscii(std::string& text) {
    for (char& c : text) c = Lower(c);
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

std::size_t TagNameLength(std::string_view tag) {
    std::size_t n = 0;
    while (n < tag.size() && (IsAlpha(tag[n]) || IsDigit(tag[n]) || tag[n] == '/')) ++n;
    return n;
}

std::string_view SkipSpace(std::string_view text) {
    std::size_t n = 0;
    while (n < text.size() && IsSpace(text[n])) ++n;
    return text.substr(n);
}

std::optional<std::string_view> FindAttribute(std::string_view attrs, std::string_view name, AttributeRule rule) {
    std::size_t at = attrs.find(name);
    if (at == std::string_view::npos) return std::nullopt;
    std::string_view rest = SkipSpace(attrs.substr(at + name.size()));
    const char separator = rule == AttributeRule::kHtml ? '=' : ':';
    if (rest.empty() || rest[0] != separator) {
        if (rule == AttributeRule::kCss) return std::nullopt;
        return std::string_view{};
    }
    rest = SkipSpace(rest.substr(1));
    if (!rest.empty() && (rest[0] == '"' || rest[0] == '\'')) {
        std::size_t close = rest.find(rest[0], 1);
        if (close == std::string_view::npos) return rest.substr(1);
        return rest.substr(1, close - 1);
    }
    std::size_t n = 0;
    while (n < rest.size() && (IsAlpha(rest[n]) || IsDigit(rest[n]) || rest[n] == '-')) ++n;
    return rest.substr(0, n);
}

std::int32_t AtoL(std::string_view text) {
    bool negative = false;
    std::size_t pos = SkipSign(text, 0, negative);
    return ReadNumber(text, pos, negative, 10);
}

std::int32_t StrToL16(std::string_view text) {
    bool negative = false;
    std::size_t pos = SkipSign(text, 0, negative);
    if (pos + 2 < text.size() && text[pos] == '0' && (text[pos + 1] == 'x' || text[pos + 1] == 'X') &&
        HexDigit(text[pos + 2]) >= 0)
        pos += 2;
    return ReadNumber(text, pos, negative, 16);
}

}  // namespace markup
