// SPDX-License-Identifier: GPL-3.0-or-later
// tarvex4 board PAGE: the cut-up board window over a page tarvex4 wrote.
#include "cli/CliRegistry.h"
#include "cli/WindowLauncher.h"
#include "page/BoardEdits.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <vector>

namespace {

void Run(const std::string& page) {
    // Refused here, before a window starts, so a script learns it from the exit status.
    collage::Collage collage;
    std::string problem;
    std::error_code error;
    // Only a regular file is read: a pipe or a device could keep it waiting.
    if (!collage::LoadPageFile(page, collage, problem)) {
        std::cerr << "tarvex4 board: " << problem << "\n";
        throw CLI::RuntimeError(1);
    }
    std::string path = std::filesystem::absolute(page, error).string();
    if (error) path = page;
    std::string program = "tarvex4";
    std::string flag = "--board";
    std::vector<char*> arguments = {program.data(), flag.data(), path.data()};
    throw CLI::RuntimeError(cli::StartWindowProgram(static_cast<int>(arguments.size()), arguments.data()));
}

const cli::CliRegistration boardCommand{
    "board", [](CLI::App& root) {
        auto page = std::make_shared<std::string>();
        CLI::App* board = root.add_subcommand(
            "board",
            "Open the cut-up board window on PAGE, a collage page tarvex4 wrote: move, resize, stack and\n"
            "delete its items (every change undoable) and save the arranged page. A page tarvex4 did\n"
            "not write is refused (exit 1). Needs a display.");
        board->add_option("page", *page, "The collage page (*.html)")->required()->type_name("PAGE");
        board->callback([page] { Run(*page); });
    }};

}  // namespace
