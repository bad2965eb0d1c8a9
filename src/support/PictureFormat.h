// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// What a picture file says about itself in its first bytes: which of the
// formats a browser shows it is, its size, and whether it is whole. Nothing
// here decodes picture data, so it is cheap enough for every file of a
// folder.

enum class PictureKind { Unknown, Gif, Png, Jpeg, Webp };

// Pictures declaring more pixels than this are refused before anything
// decodes them: 100 megapixels is a large camera photo, while a few bytes of
// PNG can declare 50,000 x 50,000 (ten gigabytes decoded).
// The one limit: the import refuses more, GO leaves such a picture out, and
// the drawings (export, board) must decode every picture up to it.
constexpr long long kMaxPicturePixels = 100'000'000;
// What decoding such a picture may take: 8 bytes a pixel, as a 16-bit PNG
// with alpha decodes (Qt's image reader needs it as its allocation limit).
constexpr long long kMaxPictureDecodedBytes = kMaxPicturePixels * 8;

// Enough of a file's start to find its size in nearly every picture; a JPEG
// with large metadata before its frame header needs more (see ReadPictureHeader).
constexpr std::size_t kPictureHeadBytes = 64 * 1024;

struct PictureHeader {
    PictureKind kind = PictureKind::Unknown;
    int width = 0;  // as shown: a JPEG's EXIF orientation 5-8 swaps the two
    int height = 0;
    int orientation = 1;  // JPEG EXIF orientation, 1 when none
    bool animated = false;
    bool sized = false;  // width and height were found
};

// The kind by signature alone (the first 12 bytes).
PictureKind SniffPicture(const unsigned char* bytes, std::size_t count);

// Kind, size and orientation from the first `count` bytes of a file (all of
// it, or a prefix; a prefix that ends before the size leaves sized false).
PictureHeader ReadPictureHeader(const unsigned char* bytes, std::size_t count);

// Why the whole file `bytes` cannot be a sound picture of the kind its
// header says ("" when it can): unknown content, no size, a size over
// kMaxPicturePixels, or an end that is missing (JPEG end-of-image marker,
// PNG IEND chunk, WebP RIFF length, GIF trailer). Cheap: no decoding.
std::string PictureProblem(const PictureHeader& header, const unsigned char* bytes, std::size_t count);

// ".gif", ".png", ".jpg", ".webp"; "" for Unknown.
const char* PictureExtension(PictureKind kind);

// "GIF", "PNG", "JPEG", "WebP"; "" for Unknown.
const char* PictureKindName(PictureKind kind);

// The file name a page should use for a picture of `kind`: `name` when its
// extension already says that kind (in any case; ".jpeg" too), the name
// with its picture extension replaced when it names another picture kind
// ("photo.png" holding a JPEG gives "photo.jpg"), else the name with the
// extension added ("scan" gives "scan.png"). Unknown keeps the name.
std::string NameForPictureKind(const std::string& name, PictureKind kind);

// True when the name's last extension is one of the picture kinds'
// (.gif .png .jpg .jpeg .webp, any case).
bool HasPictureExtension(std::string_view name);
