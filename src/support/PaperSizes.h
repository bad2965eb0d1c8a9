// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The paper sizes a PDF export can fit the collage on, in the order they are
// offered. Without one the page is the collage's own size.
enum class Paper { kA4, kA3, kLetter };

struct PaperName {
    Paper paper;
    std::string_view name;
};

inline constexpr std::array<PaperName, 3> kPapers = {{
    {Paper::kA4, "A4"},
    {Paper::kA3, "A3"},
    {Paper::kLetter, "Letter"},
}};

// The paper called `name`, in any case ("a4", "LETTER").
std::optional<Paper> PaperNamed(std::string_view name);
// "" (the collage's own size) or the name of a paper, in any case.
bool IsPaperChoice(std::string_view name);

std::vector<std::string> PaperNames();
// The names in a sentence: JoinedPaperNames(", ", " or ") is "A4, A3 or Letter".
std::string JoinedPaperNames(std::string_view separator, std::string_view lastSeparator);
