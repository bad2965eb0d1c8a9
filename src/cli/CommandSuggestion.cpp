// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandSuggestion.h"

#include <algorithm>
#include <cstddef>
#include <limits>

namespace cli {
namespace {

// Levenshtein distance, one row at a time.
std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            const std::size_t substitute = diagonal + (a[i - 1] == b[j - 1] ? 0 : 1);
            row[j] = std::min({above + 1, row[j - 1] + 1, substitute});
            diagonal = above;
        }
    }
    return row[b.size()];
}

std::size_t Distance(std::string_view word, std::string_view name) {
    const std::size_t whole = EditDistance(word, name);
    if (word.size() >= name.size()) return whole;
    // A shortened name is nearer than the edit count of the missing tail says.
    return std::min(whole, EditDistance(word, name.substr(0, word.size())) + 1);
}

}  // namespace

std::string ClosestCommand(std::string_view word, const std::vector<std::string>& names) {
    std::string best;
    std::size_t bestDistance = std::numeric_limits<std::size_t>::max();
    for (const std::string& name : names) {
        const std::size_t d = Distance(word, name);
        if (d < bestDistance) {
            best = name;
            bestDistance = d;
        }
    }
    return best;
}

}  // namespace cli
