// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <string>

// What the sub-commands that read the words database share.
namespace cli {

// `data` when given, else the user's data folder, filled from the installed
// data when something is missing (problems reported on stderr). A missing or
// broken words database ends the command (status 1) with what is wrong and
// how to restore it.
std::string WordsDataFolder(const std::string& data, const std::string& command);

// Seeds the generator with `seed`, or from the clock.
void SeedGenerator(const std::optional<std::uint32_t>& seed);

// Prints the result text as built and one line feed; false when stdout failed.
bool PrintResult(const std::string& text);

}  // namespace cli
