// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/GifHeader.h"

PictureSize ReadGifSize(const unsigned char* bytes, std::size_t count) {
    if (count < 10 || bytes[0] != 'G' || bytes[1] != 'I' || bytes[2] != 'F') return {};
    return {bytes[6] | bytes[7] << 8, bytes[8] | bytes[9] << 8};
}

PictureSize ReadGifSize(std::string_view bytes) {
    return ReadGifSize(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

std::string LowerCaseName(std::string_view name) {
    std::string lower(name);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

bool HasGifInName(std::string_view name) { return LowerCaseName(name).find(".gif") != std::string::npos; }
