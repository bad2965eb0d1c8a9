// SPDX-License-Identifier: GPL-3.0-or-later
#include "richtext/Utf8Text.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <utf8proc.h>

namespace utf8text {
namespace {

// 0x80..0x9F of Windows-1252; the five undefined bytes map to themselves
// (as the platform's conversion does).
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

}  // namespace

void Append(std::string& out, char32_t cp) {
    if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) cp = kReplacement;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char32_t FromCp1252(std::uint8_t byte) {
    if (byte >= 0x80 && byte < 0xA0) return kCp1252High[byte - 0x80];
    return byte;
}

long Decode(std::string_view text, std::size_t& pos) {
    if (pos >= text.size()) return -1;
    const auto* p = reinterpret_cast<const unsigned char*>(text.data()) + pos;
    const std::size_t left = text.size() - pos;
    unsigned char c = p[0];
    if (c < 0x80) {
        ++pos;
        return c;
    }
    std::size_t length;
    char32_t cp;
    char32_t minimum;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2, cp = c & 0x1F, minimum = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3, cp = c & 0x0F, minimum = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4, cp = c & 0x07, minimum = 0x10000;
    } else {
        return -1;
    }
    if (left < length) return -1;
    for (std::size_t i = 1; i < length; ++i) {
        if (!IsContinuation(p[i])) return -1;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return -1;
    pos += length;
    return static_cast<long>(cp);
}

char32_t NextCharacter(std::string_view text, std::size_t& pos) {
    long cp = Decode(text, pos);
    if (cp >= 0) return static_cast<char32_t>(cp);
    return FromCp1252(static_cast<std::uint8_t>(text[pos++]));
}

void AppendRtfUnicode(std::string& out, char32_t cp) {
    // Both units of a pair in one append: "\u-10179?\u-8704?".
    char buffer[20];
    char* end = buffer;
    auto unit = [&end, &buffer](unsigned value) {
        *end++ = '\\';
        *end++ = 'u';
        end = std::to_chars(end, buffer + sizeof buffer, static_cast<std::int16_t>(static_cast<std::uint16_t>(value)))
                  .ptr;
        *end++ = '?';
    };
    if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) cp = kReplacement;
    if (cp >= 0x10000) {
        cp -= 0x10000;
        unit(0xD800 + (cp >> 10));
        unit(0xDC00 + (cp & 0x3FF));
    } else {
        unit(cp);
    }
    out.append(buffer, static_cast<std::size_t>(end - buffer));
}

std::size_t CountCodePoints(std::string_view text) {
    std::size_t count = 0;
    std::size_t pos = 0;
    const std::size_t size = text.size();
    while (pos < size) {
        // Plain ASCII is one character per byte: take it eight bytes at a
        // time, since selections count whole megabyte texts.
        while (pos + 8 <= size) {
            std::uint64_t word;
            std::memcpy(&word, text.data() + pos, 8);
            if ((word & 0x8080808080808080ull) != 0) break;
            pos += 8;
            count += 8;
        }
        if (pos >= size) break;
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            ++pos;
        } else if (Decode(text, pos) < 0) {
            ++pos;  // a malformed byte counts as one character
        }
        ++count;
    }
    return count;
}

std::size_t OffsetOfCodePoint(std::string_view text, std::size_t index) {
    std::size_t pos = 0;
    for (std::size_t i = 0; i < index && pos < text.size(); ++i)
        if (Decode(text, pos) < 0) ++pos;
    return pos;
}

std::size_t GraphemeEnd(std::string_view text, std::size_t pos) {
    const std::size_t size = text.size();
    if (pos >= size) return size;
    std::size_t next = pos;
    long first = Decode(text, next);
    if (first < 0) return pos + 1;
    utf8proc_int32_t state = 0;
    auto previous = static_cast<utf8proc_int32_t>(first);
    while (next < size) {
        // An ASCII letter or space followed by ASCII ends the cluster: the
        // common case needs no table look-up.
        const auto here = static_cast<unsigned char>(text[next]);
        if (previous >= 0x20 && previous < 0x7F && here < 0x80 && here != '\n') return next;
        std::size_t after = next;
        long cp = Decode(text, after);
        if (cp < 0) return next;
        if (utf8proc_grapheme_break_stateful(previous, static_cast<utf8proc_int32_t>(cp), &state)) return next;
        previous = static_cast<utf8proc_int32_t>(cp);
        next = after;
    }
    return next;
}

std::size_t CountGraphemes(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos = GraphemeEnd(text, pos)) ++count;
    return count;
}

}  // namespace utf8text
