// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/PaperSizes.h"

#include <algorithm>

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

std::optional<Paper> PaperNamed(std::string_view name) {
    for (const PaperName& paper : kPapers)
        if (SameIgnoringCase(paper.name, name)) return paper.paper;
    return std::nullopt;
}

bool IsPaperChoice(std::string_view name) { return name.empty() || PaperNamed(name).has_value(); }

std::vector<std::string> PaperNames() {
    std::vector<std::string> names;
    for (const PaperName& paper : kPapers) names.emplace_back(paper.name);
    return names;
}

std::string JoinedPaperNames(std::string_view separator, std::string_view lastSeparator) {
    std::string joined;
    for (std::size_t i = 0; i < kPapers.size(); ++i) {
        if (i > 0) joined += i + 1 == kPapers.size() ? lastSeparator : separator;
        joined += kPapers[i].name;
    }
    return joined;
}
