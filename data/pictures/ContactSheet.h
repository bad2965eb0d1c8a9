// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

// Contact sheets of the built pictures: <out>-letters.png with the four letter
// sets as words, <out>-library.png with every picture of the library (read
// back from the database) scaled into a grid.
namespace contactsheet {

void Write(const std::string& artfontsFolder, const std::string& databasePath, const std::string& outPrefix);

}  // namespace contactsheet
