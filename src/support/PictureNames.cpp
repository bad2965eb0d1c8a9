// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/PictureNames.h"

namespace {

bool IsControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

constexpr char kHex[] = "0123456789ABCDEF";

}  // namespace

bool ReadsAsUrlScheme(std::string_view name) {
    const std::size_t colon = name.find(':');
    return colon != std::string_view::npos && colon < name.find('/');
}

bool HoldsControlCharacter(std::string_view name) {
    for (char c : name) {
        if (IsControl(c)) return true;
    }
    return false;
}

std::string SafePictureFileName(const std::string& name) {
    if (!HoldsControlCharacter(name)) return name;
    std::string safe;
    for (char c : name) {
        if (!IsControl(c)) {
            safe += c;
            continue;
        }
        const auto byte = static_cast<unsigned char>(c);
        safe += '%';
        safe += kHex[byte >> 4];
        safe += kHex[byte & 0xF];
    }
    return safe;
}

std::string ShownFileName(std::string_view name) {
    if (!HoldsControlCharacter(name)) return std::string(name);
    std::string shown;
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\')
            shown += "\\\\";
        else if (c == '\n')
            shown += "\\n";
        else if (c == '\t')
            shown += "\\t";
        else if (c == '\r')
            shown += "\\r";
        else if (IsControl(c))
            shown += std::string("\\x") + kHex[byte >> 4] + kHex[byte & 0xF];
        else
            shown += c;
    }
    return shown;
}
