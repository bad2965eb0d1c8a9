// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/UntakenPictureKinds.h"

#include <array>
#include <cstdint>
#include <algorithm>
#include <initializer_list>
#include <string_view>

namespace {

using Bytes = std::string_view;

bool StartsWith(Bytes head, Bytes prefix) { return head.substr(0, prefix.size()) == prefix; }

std::uint32_t BigEndian32(Bytes b, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) << 24 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3]));
}

std::uint32_t LittleEndian32(Bytes b, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

// An ISO base media file (HEIF, AVIF, and MP4 video alike) names what it
// holds by brands in its first box, "ftyp": the major brand, then the
// compatible ones. An AVIF often lists the general HEIF brand mif1 too, so
// the more particular brands are looked for first, among all of them.
const char* IsoMediaKind(Bytes head) {
    if (head.size() < 16 || head.substr(4, 4) != "ftyp") return nullptr;
    const std::size_t boxEnd = std::min<std::size_t>(BigEndian32(head, 0), head.size());
    const auto any = [&](std::initializer_list<Bytes> brands) {
        for (std::size_t at = 8; at + 4 <= boxEnd; at += at == 8 ? 8 : 4) {
            for (Bytes brand : brands)
                if (head.substr(at, 4) == brand) return true;
        }
        return false;
    };
    if (any({"avif", "avis"})) return "AVIF";
    if (any({"heic", "heix", "heim", "heis", "hevc", "hevx", "hevm", "hevs"})) return "HEIC";
    if (any({"mif1", "msf1"})) return "HEIF";
    if (any({"crx "})) return "CR3 raw";
    return nullptr;
}

// "BM" starts many texts; a bitmap's info header that follows the 14-byte
// file header has one of a few sizes.
bool IsBitmap(Bytes head) {
    if (head.size() < 18 || !StartsWith(head, "BM")) return false;
    const std::uint32_t infoSize = LittleEndian32(head, 14);
    for (std::uint32_t known : {12u, 16u, 40u, 52u, 56u, 64u, 108u, 124u})
        if (infoSize == known) return true;
    return false;
}

// An icon directory: reserved 0, type 1 (icon) or 2 (cursor), at least one
// entry, whose reserved byte is 0.
const char* IconKind(Bytes head) {
    if (head.size() < 22 || head[0] != '\0' || head[1] != '\0' || head[3] != '\0') return nullptr;
    if (head[4] == '\0' && head[5] == '\0') return nullptr;
    if (head[9] != '\0') return nullptr;
    if (head[2] == '\x01') return "ICO";
    if (head[2] == '\x02') return "CUR";
    return nullptr;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Whether the text after `at` ends a tag name ("<svg>" or "<svg xmlns=").
bool EndsTagName(Bytes head, std::size_t at) { return at < head.size() && (IsSpace(head[at]) || head[at] == '>'); }

// The position after the text `close` that ends a part begun at `from`,
// npos when the head does not hold its end.
std::size_t PastClose(Bytes head, std::size_t from, Bytes close) {
    const std::size_t found = head.find(close, from);
    return found == Bytes::npos ? Bytes::npos : found + close.size();
}

// A document type may hold an internal subset in brackets, with '>' inside.
std::size_t PastDoctype(Bytes head, std::size_t from) {
    const std::size_t bracket = head.find('[', from);
    if (bracket < head.find('>', from)) {
        const std::size_t subsetEnd = PastClose(head, bracket, "]");
        return subsetEnd == Bytes::npos ? Bytes::npos : PastClose(head, subsetEnd, ">");
    }
    return PastClose(head, from, ">");
}

// An SVG: its root element, after an optional byte-order mark, an XML
// declaration, comments and a document type.
bool IsSvg(Bytes head) {
    std::size_t at = StartsWith(head, "\xEF\xBB\xBF") ? 3 : 0;
    while (at < head.size()) {
        while (at < head.size() && IsSpace(head[at])) ++at;
        const Bytes rest = head.substr(at);
        if (StartsWith(rest, "<svg:svg")) return EndsTagName(head, at + 8);
        if (StartsWith(rest, "<svg")) return EndsTagName(head, at + 4);
        if (StartsWith(rest, "<?"))
            at = PastClose(head, at + 2, "?>");
        else if (StartsWith(rest, "<!--"))
            at = PastClose(head, at + 4, "-->");
        else if (StartsWith(rest, "<!DOCTYPE") || StartsWith(rest, "<!doctype"))
            at = PastDoctype(head, at + 9);
        else
            return false;
    }
    return false;
}

// The netpbm kinds: "P1" to "P7", a space, then a number or a comment.
bool IsNetpbm(Bytes head) {
    if (head.size() < 4 || head[0] != 'P' || head[1] < '1' || head[1] > '7' || !IsSpace(head[2])) return false;
    std::size_t at = 3;
    while (at < head.size() && IsSpace(head[at])) ++at;
    return at < head.size() && ((head[at] >= '0' && head[at] <= '9') || head[at] == '#');
}

struct Signature {
    Bytes prefix;
    const char* kind;
};

constexpr std::array kSignatures = {
    Signature{Bytes("II*\0", 4), "TIFF"},
    Signature{Bytes("MM\0*", 4), "TIFF"},
    Signature{Bytes("II+\0", 4), "TIFF"},  // BigTIFF
    Signature{Bytes("MM\0+", 4), "TIFF"},
    Signature{Bytes("II\xBC\x01", 4), "JPEG XR"},
    Signature{Bytes("\xFF\x0A", 2), "JPEG XL"},
    Signature{Bytes("\0\0\0\x0CJXL \x0D\x0A\x87\x0A", 12), "JPEG XL"},
    Signature{Bytes("\0\0\0\x0CjP  \x0D\x0A\x87\x0A", 12), "JPEG 2000"},
    Signature{Bytes("\xFF\x4F\xFF\x51", 4), "JPEG 2000"},
    Signature{Bytes("8BPS\0", 5), "PSD"},
    Signature{Bytes("gimp xcf", 8), "XCF"},
    Signature{Bytes("qoif", 4), "QOI"},
    Signature{Bytes("v/1\x01", 4), "OpenEXR"},
    Signature{Bytes("#?RADIANCE", 10), "Radiance HDR"},
    Signature{Bytes("#?RGBE", 6), "Radiance HDR"},
    Signature{Bytes("DDS |", 5), "DDS"},
    Signature{Bytes("icns", 4), "ICNS"},
};

}  // namespace

const char* UntakenPictureKind(const unsigned char* bytes, std::size_t count) {
    const Bytes head(reinterpret_cast<const char*>(bytes), count);
    for (const Signature& signature : kSignatures)
        if (StartsWith(head, signature.prefix)) return signature.kind;
    if (const char* kind = IsoMediaKind(head)) return kind;
    if (const char* kind = IconKind(head)) return kind;
    if (IsBitmap(head)) return "BMP";
    if (IsSvg(head)) return "SVG";
    if (IsNetpbm(head)) return "Netpbm";
    return nullptr;
}

std::string NotTakenReason(const char* kind) {
    return std::string(kind) + " pictures are not taken (GIF, JPEG, PNG and WebP are)";
}
