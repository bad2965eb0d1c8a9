#include "cli/WindowLauncher.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace cli {

std::string WindowProgramPath() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error) return std::string();
    return (self.parent_path() / TARVEX4_WINDOW_FROM_BIN / "tarvex4-window").lexically_normal().string();
}

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
