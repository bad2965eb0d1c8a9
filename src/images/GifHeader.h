// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// What the import reads from a picture file before storing it.

// The logical screen size of a GIF: bytes 6-9 of the file, two unsigned
// 16-bit little-endian values. A file shorter than 10 bytes or not starting
// with "GIF" has no size we can know: 0 x 0.
struct PictureSize {
    int width = 0;
    int height = 0;
};
PictureSize ReadGifSize(const unsigned char* bytes, std::size_t count);
PictureSize ReadGifSize(std::string_view bytes);

// The name lower-cased (ASCII letters only, so UTF-8 stays intact).
std::string LowerCaseName(std::string_view name);

// True when the lower-cased name holds ".gif" anywhere ("x.gif.bak" too).
bool HasGifInName(std::string_view name);
