// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/HexColour.h"

#include <charconv>
#include <cstdio>

namespace {

std::uint32_t Bgr(unsigned r, unsigned g, unsigned b) { return r | g << 8 | b << 16; }

}  // namespace

std::string HexColour(std::uint32_t colour) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", static_cast<unsigned>(colour & 0xFF),
                  static_cast<unsigned>((colour >> 8) & 0xFF), static_cast<unsigned>((colour >> 16) & 0xFF));
    return buffer;
}

std::optional<std::uint32_t> ParseHexColour(std::string_view text) {
    if (!text.starts_with('#')) return std::nullopt;
    const std::string_view hex = text.substr(1);
    if (hex.size() != 6 && hex.size() != 3) return std::nullopt;
    unsigned value = 0;
    const auto [end, error] = std::from_chars(hex.data(), hex.data() + hex.size(), value, 16);
    if (error != std::errc() || end != hex.data() + hex.size()) return std::nullopt;
    if (hex.size() == 3) return Bgr((value >> 8 & 0xF) * 17, (value >> 4 & 0xF) * 17, (value & 0xF) * 17);
    return Bgr(value >> 16 & 0xFF, value >> 8 & 0xFF, value & 0xFF);
}
