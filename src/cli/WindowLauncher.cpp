#include "cli/WindowLauncher.h"

#include "support/InstalledFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <vector>

namespace cli {

std::string WindowProgramPath() { return InstalledFile("tarvex4-window"); }

int StartWindowProgram(int argc, char** argv) {
    const std::string program = WindowProgramPath();
    std::vector<char*> arguments(argv, argv + argc);
    arguments.push_back(nullptr);
    arguments[0] = const_cast<char*>(program.c_str());
    if (!program.empty()) ::execv(program.c_str(), arguments.data());
    std::cerr << "tarvex4: cannot start the window program " << (program.empty() ? "tarvex4-window" : program)
              << ": " << std::strerror(errno) << "\n"
              << "The sub-commands work without it: tarvex4 --help\n";
    return 1;
}

}  // namespace cli
