// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Picture files the tests change after a tool made them.
#include <cstddef>
#include <string>

// An EXIF block holding only the orientation `value`, put after the JPEG's
// start marker (the tools here write none by themselves); its numbers
// big-endian ("MM"), or little-endian ("II") as many cameras write them.
inline std::string WithExifOrientation(const std::string& jpeg, int value, bool littleEndian = false) {
    std::string tiff = littleEndian ? std::string("II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0", 18)
                                    : std::string("MM\0*\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01", 18);
    tiff += static_cast<char>(littleEndian ? value : 0);
    tiff += static_cast<char>(littleEndian ? 0 : value);
    tiff += std::string(6, '\0');  // value padding, then no next IFD
    const std::string body = std::string("Exif\0\0", 6) + tiff;
    const std::size_t length = body.size() + 2;
    std::string segment = "\xFF\xE1";
    segment += static_cast<char>(length >> 8);
    segment += static_cast<char>(length & 0xFF);
    return jpeg.substr(0, 2) + segment + body + jpeg.substr(2);
}
