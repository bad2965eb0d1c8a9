// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace cli {

// The name in `names` closest to the mistyped `word`: fewest single-character
// edits, where a word that starts a name ("mark" for "markup2rtf") counts as
// one edit away. Ties go to the first in `names`; empty when `names` is.
std::string ClosestCommand(std::string_view word, const std::vector<std::string>& names);

}  // namespace cli
