// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Colours are kept as Windows keeps them, 0x00BBGGRR; pages and sessions
// write them as the web does, "#RRGGBB" in upper-case hexadecimal.
std::string HexColour(std::uint32_t colour);

// "#RRGGBB" or "#RGB", either case, as 0x00BBGGRR; nothing for anything else.
std::optional<std::uint32_t> ParseHexColour(std::string_view text);
