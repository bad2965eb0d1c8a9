// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Small scanning helpers of the markup renderer: tag names, attribute lookup
// and the C runtime's number reading, with 32-bit long semantics.
namespace markup {

enum class AttributeRule {
    kHtml,  // name, optional '=' value; a name without '=' is present and empty
    kCss,   // name ':' value; a name without ':' is absent
};

void LowerAscii(std::string& text);
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// Length of the leading run of letters, digits and '/'.
std::size_t TagNameLength(std::string_view tag);
std::string_view SkipSpace(std::string_view text);

// Finds the first occurrence of `name` anywhere in `attrs` (a plain
// substring search) and reads its value by `rule`.
std::optional<std::string_view> FindAttribute(std::string_view attrs, std::string_view name, AttributeRule rule);

// atol and strtol(..., 16): leading space, sign, digits; saturating.
std::int32_t AtoL(std::string_view text);
std::int32_t StrToL16(std::string_view text);

}  // namespace markup
