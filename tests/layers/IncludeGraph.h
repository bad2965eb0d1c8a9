// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

// The layer order of src/, lowest first, and a check of every #include
// against it: a folder includes only from layers below its own, never from a
// peer in the same layer, and the Qt-free folders include neither Qt headers
// nor the Qt folders.
namespace layers {

const std::vector<std::vector<std::string>>& Order();

struct Violation {
    std::string file;  // relative to the source root, e.g. "db/WordsDb.cpp"
    int line = 0;
    std::string include;  // as written between the quotes or brackets
    std::string why;
};

// Reads every .h and .cpp under `sourceRoot` (the src folder).
std::vector<Violation> CheckIncludes(const std::string& sourceRoot);

std::string Describe(const std::vector<Violation>& violations);

}  // namespace layers
