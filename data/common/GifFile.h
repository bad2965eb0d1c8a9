// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A palette picture and its GIF file (giflib).
namespace giffile {

struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> palette;  // 0xRRGGBB, at most 256 entries
    std::vector<std::uint8_t> pixels;    // width * height palette indexes, row by row
    int transparentIndex = -1;           // palette entry drawn as transparent, or -1
};

// Writes a GIF89a file; throws std::runtime_error with giflib's message on failure.
void Write(const std::string& path, const IndexedImage& image);

// Reads the first frame of a GIF file (for tests and contact sheets); throws
// std::runtime_error when the file is not a readable GIF.
IndexedImage Read(const std::string& path);
IndexedImage ReadFromMemory(const std::string& bytes);

}  // namespace giffile
