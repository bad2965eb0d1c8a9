// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/PictureFormat.h"

#include <algorithm>
#include <cstring>

namespace {

using Bytes = const unsigned char*;

unsigned Be16(Bytes p) { return static_cast<unsigned>(p[0]) << 8 | p[1]; }
unsigned Le16(Bytes p) { return static_cast<unsigned>(p[1]) << 8 | p[0]; }
unsigned long Be32(Bytes p) { return static_cast<unsigned long>(Be16(p)) << 16 | Be16(p + 2); }
unsigned long Le24(Bytes p) { return static_cast<unsigned long>(p[2]) << 16 | Le16(p); }
unsigned long Le32(Bytes p) { return static_cast<unsigned long>(Le16(p + 2)) << 16 | Le16(p); }

bool Starts(Bytes bytes, std::size_t count, std::size_t at, const char* text) {
    const std::size_t length = std::strlen(text);
    return count >= at + length && std::memcmp(bytes + at, text, length) == 0;
}

void SetSize(PictureHeader& header, unsigned long width, unsigned long height) {
    // Both fit an int: no format here declares more than 2^31 - 1 on a side
    // except PNG, whose own limit is the same.
    header.width = static_cast<int>(std::min(width, 0x7fffffffUL));
    header.height = static_cast<int>(std::min(height, 0x7fffffffUL));
    header.sized = true;
}

// The orientation tag (0x0112) of IFD0 in an EXIF block (after "Exif\0\0").
int ExifOrientation(Bytes tiff, std::size_t size) {
    if (size < 8) return 1;
    const bool little = tiff[0] == 'I' && tiff[1] == 'I';
    if (!little && !(tiff[0] == 'M' && tiff[1] == 'M')) return 1;
    const auto u16 = [&](std::size_t at) { return little ? Le16(tiff + at) : Be16(tiff + at); };
    const auto u32 = [&](std::size_t at) { return little ? Le32(tiff + at) : Be32(tiff + at); };
    const unsigned long ifd = u32(4);
    if (ifd + 2 > size) return 1;
    const unsigned entries = u16(ifd);
    for (unsigned i = 0; i < entries; ++i) {
        const std::size_t entry = ifd + 2 + 12 * static_cast<std::size_t>(i);
        if (entry + 12 > size) break;
        if (u16(entry) == 0x0112 && u16(entry + 2) == 3) {
            const unsigned value = u16(entry + 8);
            return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
        }
    }
    return 1;
}

bool IsFrameMarker(unsigned char marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Walks the marker segments up to the first scan. `scanStart` gets the
// offset of the scan's marker (0 when not reached).
void ReadJpeg(Bytes bytes, std::size_t count, PictureHeader& header, std::size_t& scanStart) {
    std::size_t at = 2;
    while (at + 4 <= count) {
        if (bytes[at] != 0xFF) return;
        const unsigned char marker = bytes[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2;
            continue;
        }
        if (marker == 0xD9) return;
        if (marker == 0xDA) {
            scanStart = at;
            return;
        }
        const std::size_t length = Be16(bytes + at + 2);
        if (length < 2) return;
        const std::size_t data = at + 4;
        const std::size_t end = at + 2 + length;
        if (IsFrameMarker(marker) && data + 5 <= count) SetSize(header, Be16(bytes + data + 3), Be16(bytes + data + 1));
        if (marker == 0xE1 && end <= count && Starts(bytes, end, data, "Exif") && length >= 8) {
            header.orientation = ExifOrientation(bytes + data + 6, length - 8);
        }
        at = end;
    }
}

void ReadWebp(Bytes bytes, std::size_t count, PictureHeader& header) {
    if (Starts(bytes, count, 12, "VP8 ") && count >= 30) {
        if (bytes[23] == 0x9D && bytes[24] == 0x01 && bytes[25] == 0x2A)
            SetSize(header, Le16(bytes + 26) & 0x3FFF, Le16(bytes + 28) & 0x3FFF);
    } else if (Starts(bytes, count, 12, "VP8L") && count >= 25) {
        if (bytes[20] == 0x2F) {
            const unsigned long bits = Le32(bytes + 21);
            SetSize(header, (bits & 0x3FFF) + 1, ((bits >> 14) & 0x3FFF) + 1);
        }
    } else if (Starts(bytes, count, 12, "VP8X") && count >= 30) {
        SetSize(header, Le24(bytes + 24) + 1, Le24(bytes + 27) + 1);
    }
}

// The offset of the last `needle` in bytes[from, count), or npos.
std::size_t FindLast(Bytes bytes, std::size_t from, std::size_t count, const unsigned char* needle,
                     std::size_t length) {
    if (count < length || count - length < from) return std::string::npos;
    for (std::size_t at = count - length + 1; at-- > from;) {
        if (std::memcmp(bytes + at, needle, length) == 0) return at;
    }
    return std::string::npos;
}

// The offset just past a run of GIF data sub-blocks starting at `at` (its
// zero-length terminator included), or 0 when the file ends inside it.
std::size_t SkipGifSubBlocks(Bytes bytes, std::size_t count, std::size_t at) {
    while (at < count) {
        const std::size_t length = bytes[at];
        ++at;
        if (length == 0) return at;
        at += length;
    }
    return 0;
}

// The size of a colour table that a GIF packed-fields byte announces.
std::size_t GifColourTable(unsigned char flags) { return (flags & 0x80) ? 3u << ((flags & 7) + 1) : 0; }

enum class GifWalk { Trailer, Cut, UnknownBlock };

// Follows a GIF block by block: extensions and images with their colour
// tables and sub-blocks, to the trailer. Whatever follows the trailer is no
// part of the picture; browsers show the picture all the same.
GifWalk WalkGif(Bytes bytes, std::size_t count) {
    if (count < 13) return GifWalk::Cut;
    std::size_t at = 13 + GifColourTable(bytes[10]);
    while (at < count) {
        const unsigned char introducer = bytes[at];
        if (introducer == 0x3B) return GifWalk::Trailer;
        if (introducer == 0x21) {
            at = SkipGifSubBlocks(bytes, count, at + 2);
        } else if (introducer == 0x2C) {
            if (at + 10 > count) return GifWalk::Cut;
            // Descriptor, local colour table, LZW minimum code size, data.
            at = SkipGifSubBlocks(bytes, count, at + 10 + GifColourTable(bytes[at + 9]) + 1);
        } else if (introducer == 0) {
            ++at;  // a stray terminator some encoders leave between blocks
        } else {
            return GifWalk::UnknownBlock;
        }
        if (at == 0) return GifWalk::Cut;
    }
    return GifWalk::Cut;
}

bool GifIsWhole(Bytes bytes, std::size_t count) {
    switch (WalkGif(bytes, count)) {
        case GifWalk::Trailer: return true;
        case GifWalk::Cut: return false;
        case GifWalk::UnknownBlock: break;
    }
    // A browser stops at a block of no known kind and shows what it has;
    // such a file is whole when it ends in the trailer, possibly padded with
    // zero bytes, as it was always taken.
    std::size_t end = count;
    while (end > 13 && bytes[end - 1] == 0) --end;
    return end > 13 && bytes[end - 1] == 0x3B;
}

// Follows a PNG chunk by chunk to IEND; bytes after it are no part of the
// picture and do not keep a browser from showing it.
bool PngIsWhole(Bytes bytes, std::size_t count) {
    std::size_t at = 8;
    while (at + 12 <= count) {
        const std::size_t length = Be32(bytes + at);
        if (length > 0x7fffffffUL) return false;
        if (Starts(bytes, count, at + 4, "IEND")) return true;
        at += 12 + length;
    }
    return false;
}

std::string EndProblem(const PictureHeader& header, Bytes bytes, std::size_t count) {
    static constexpr char kCut[] = "the file ends early (cut off?)";
    switch (header.kind) {
        case PictureKind::Gif: return GifIsWhole(bytes, count) ? "" : kCut;
        case PictureKind::Png: return PngIsWhole(bytes, count) ? "" : kCut;
        case PictureKind::Jpeg: {
            // The end-of-image marker cannot occur inside the scan data
            // (an 0xFF there is followed by 0x00 or a restart marker).
            std::size_t scan = 0;
            PictureHeader ignored;
            ReadJpeg(bytes, count, ignored, scan);
            static constexpr unsigned char kEnd[] = {0xFF, 0xD9};
            return scan != 0 && FindLast(bytes, scan, count, kEnd, 2) != std::string::npos ? "" : kCut;
        }
        case PictureKind::Webp: return count >= Le32(bytes + 4) + 8 ? "" : kCut;
        case PictureKind::Unknown: break;
    }
    return "not a GIF, PNG, JPEG or WebP picture";
}

}  // namespace

PictureKind SniffPicture(const unsigned char* bytes, std::size_t count) {
    if (Starts(bytes, count, 0, "GIF87a") || Starts(bytes, count, 0, "GIF89a")) return PictureKind::Gif;
    if (Starts(bytes, count, 0, "\x89PNG\r\n\x1a\n")) return PictureKind::Png;
    if (count >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) return PictureKind::Jpeg;
    if (Starts(bytes, count, 0, "RIFF") && Starts(bytes, count, 8, "WEBP")) return PictureKind::Webp;
    return PictureKind::Unknown;
}

PictureHeader ReadPictureHeader(const unsigned char* bytes, std::size_t count) {
    PictureHeader header;
    header.kind = SniffPicture(bytes, count);
    switch (header.kind) {
        case PictureKind::Gif:
            if (count >= 10) SetSize(header, Le16(bytes + 6), Le16(bytes + 8));
            break;
        case PictureKind::Png:
            if (count >= 24 && Starts(bytes, count, 12, "IHDR")) SetSize(header, Be32(bytes + 16), Be32(bytes + 20));
            break;
        case PictureKind::Jpeg: {
            std::size_t scan = 0;
            ReadJpeg(bytes, count, header, scan);
            if (header.orientation >= 5) std::swap(header.width, header.height);
            break;
        }
        case PictureKind::Webp: ReadWebp(bytes, count, header); break;
        case PictureKind::Unknown: break;
    }
    return header;
}

std::string PictureProblem(const PictureHeader& header, const unsigned char* bytes, std::size_t count) {
    if (header.kind == PictureKind::Unknown) return "not a GIF, PNG, JPEG or WebP picture";
    if (!header.sized || header.width <= 0 || header.height <= 0) {
        return std::string("a ") + PictureKindName(header.kind) + " whose size cannot be read";
    }
    if (static_cast<long long>(header.width) * header.height > kMaxPicturePixels) {
        return "declares " + std::to_string(header.width) + " x " + std::to_string(header.height) +
               " pixels, more than the " + std::to_string(kMaxPicturePixels / 1'000'000) +
               " megapixels a picture may have";
    }
    return EndProblem(header, bytes, count);
}

const char* PictureExtension(PictureKind kind) {
    switch (kind) {
        case PictureKind::Gif: return ".gif";
        case PictureKind::Png: return ".png";
        case PictureKind::Jpeg: return ".jpg";
        case PictureKind::Webp: return ".webp";
        case PictureKind::Unknown: break;
    }
    return "";
}

const char* PictureKindName(PictureKind kind) {
    switch (kind) {
        case PictureKind::Gif: return "GIF";
        case PictureKind::Png: return "PNG";
        case PictureKind::Jpeg: return "JPEG";
        case PictureKind::Webp: return "WebP";
        case PictureKind::Unknown: break;
    }
    return "";
}

namespace {

// The lower-cased extension of the last element of `name` (".png"), or "".
std::string LastExtension(std::string_view name) {
    const std::size_t slash = name.find_last_of('/');
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
    std::string extension(name.substr(dot));
    for (char& c : extension) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return extension;
}

PictureKind KindOfExtension(const std::string& extension) {
    if (extension == ".gif") return PictureKind::Gif;
    if (extension == ".png") return PictureKind::Png;
    if (extension == ".jpg" || extension == ".jpeg") return PictureKind::Jpeg;
    if (extension == ".webp") return PictureKind::Webp;
    return PictureKind::Unknown;
}

}  // namespace

bool HasPictureExtension(std::string_view name) { return KindOfExtension(LastExtension(name)) != PictureKind::Unknown; }

std::string NameForPictureKind(const std::string& name, PictureKind kind) {
    if (kind == PictureKind::Unknown) return name;
    const std::string extension = LastExtension(name);
    const PictureKind named = KindOfExtension(extension);
    if (named == kind) return name;
    if (named != PictureKind::Unknown) return name.substr(0, name.size() - extension.size()) + PictureExtension(kind);
    return name + PictureExtension(kind);
}
