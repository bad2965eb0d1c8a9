#include "app/RunWindow.h"
#include "cli/CliRegistry.h"

int main(int argc, char** argv) {
    if (cli::IsHeadlessInvocation(argc, argv)) return cli::RunCommandLine(argc, argv);
    return RunWindow(argc, argv);
}
