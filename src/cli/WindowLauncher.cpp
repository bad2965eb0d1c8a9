// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/WindowLauncher.h"

#include "support/InstalledFile.h"
#include "support/WindowExec.h"

#include <vector>

namespace cli {

std::string WindowProgramPath() { return InstalledFile("tarvex4-window"); }

int StartWindowProgram(int argc, char** argv) {
    std::string program = WindowProgramPath();
    if (program.empty()) program = "tarvex4-window";
    std::vector<char*> arguments(argv, argv + argc);
    arguments.push_back(nullptr);
    return ExecWindowProgram(program.c_str(), arguments.data());
}

}  // namespace cli
