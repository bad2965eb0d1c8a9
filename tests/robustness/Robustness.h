// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers of the robustness tests: data folders with a complete or broken
// words database, files, and the real program run with a shell command line.
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ProgramRun.h"
#include "ScratchFolder.h"
#include "db/SqlDatabase.h"
#include "TestFiles.h"
#include "WordsDatabaseFiles.h"

namespace robust {

namespace fs = std::filesystem;

// Names in `folder` (not recursive), sorted.
inline std::vector<std::string> Entries(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// `prefix tarvex4 arguments` through the shell (arguments already quoted);
// `prefix` may set limits ("ulimit -f 8;").
inline ProgramRun Tarvex4(const std::string& arguments, const fs::path& work, const std::string& prefix = "") {
    return RunTarvex4(arguments, work, prefix);
}

}  // namespace robust
