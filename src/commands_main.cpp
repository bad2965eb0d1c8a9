// SPDX-License-Identifier: GPL-3.0-or-later
// The command line, loaded by tarvex4 (main.cpp) when it is given arguments:
// the sub-commands run here, without Qt; a file argument starts the window
// program.
#include "cli/CliRegistry.h"
#include "cli/WindowLauncher.h"

extern "C" __attribute__((visibility("default"))) int tarvex4_commands_main(int argc, char** argv) {
    switch (cli::ClassifyInvocation(argc, argv)) {
        case cli::Invocation::kHeadless: return cli::RunCommandLine(argc, argv);
        case cli::Invocation::kUnknownCommand: return cli::ReportUnknownCommand(argv[1]);
        case cli::Invocation::kWindow: break;
    }
    return cli::StartWindowProgram(argc, argv);
}
