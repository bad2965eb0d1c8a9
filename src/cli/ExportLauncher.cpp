#include "cli/ExportLauncher.h"

#include "cli/WindowLauncher.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>

extern char** environ;

namespace cli {

std::vector<std::string> ExportRequest::Arguments() const {
    std::vector<std::string> arguments;
    if (!png.empty()) arguments.insert(arguments.end(), {"--png", png});
    if (!pdf.empty()) arguments.insert(arguments.end(), {"--pdf", pdf});
    if (!svg.empty()) arguments.insert(arguments.end(), {"--svg", svg});
    arguments.insert(arguments.end(), {"--scale", scale});
    if (!paper.empty()) arguments.insert(arguments.end(), {"--paper", paper});
    return arguments;
}

void AddExportOptions(CLI::App& command, ExportRequest& request, bool withLayout) {
    command.add_option("--png", request.png, "Draw the collage into the PNG picture FILE")->type_name("FILE");
    command.add_option("--pdf", request.pdf, "Draw the collage into the PDF document FILE (text stays text)")
        ->type_name("FILE");
    command.add_option("--svg", request.svg, "Draw the collage into the SVG drawing FILE")->type_name("FILE");
    if (!withLayout) return;
    command.add_option("--scale", request.scale, "PNG: 1 (850 x 1100 pixels and the frame) or 2")
        ->check(CLI::IsMember({"1", "2"}))
        ->type_name("1|2");
    command.add_option("--paper", request.paper, "PDF: fit the collage, centred, on paper A4, A3 or Letter\n"
                                                 "(default: a page the collage's own size)")
        ->check(CLI::IsMember({"A4", "A3", "Letter"}, CLI::ignore_case))
        ->type_name("NAME");
}

std::string ExportProgramPath() {
    const std::string window = WindowProgramPath();
    if (window.empty()) return window;
    return (std::filesystem::path(window).parent_path() / "tarvex4-export").string();
}

int RunExportProgram(const std::string& page, const ExportRequest& request) {
    const std::string program = ExportProgramPath();
    std::vector<std::string> arguments{program, page};
    for (std::string& argument : request.Arguments()) arguments.push_back(std::move(argument));
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);

    pid_t child = 0;
    const int error = program.empty() ? ENOENT : ::posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ);
    if (error != 0) {
        std::cerr << "tarvex4: cannot start the export program " << (program.empty() ? "tarvex4-export" : program)
                  << ": " << std::strerror(error) << "\n";
        return 1;
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) return 1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}  // namespace cli
