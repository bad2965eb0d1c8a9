// tarvex4: the sub-commands run here, without Qt; no argument (or a file
// argument) starts the window program.
#include "cli/CliRegistry.h"
#include "cli/WindowLauncher.h"

int main(int argc, char** argv) {
    switch (cli::ClassifyInvocation(argc, argv)) {
        case cli::Invocation::kHeadless:
            return cli::RunCommandLine(argc, argv);
        case cli::Invocation::kUnknownCommand:
            return cli::ReportUnknownCommand(argv[1]);
        case cli::Invocation::kWindow:
            break;
    }
    return cli::StartWindowProgram(argc, argv);
}
