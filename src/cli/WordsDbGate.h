// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace cli {

// Before a command that uses the words database: when words6.db of
// `dataFolder` is missing or broken, says what is wrong and how to restore
// it on stderr and ends the command with status 1.
void RequireWordsDatabase(const std::string& command, const std::string& dataFolder);

}  // namespace cli
