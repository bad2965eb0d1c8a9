#pragma once
#include <CLI/CLI.hpp>

#include <functional>
#include <string>

// Each cli/*.cpp registers its sub-command with a static CliRegistration, so
// adding a command never touches the others.
namespace cli {

using CommandSetup = std::function<void(CLI::App& root)>;

struct CliRegistration {
    CliRegistration(std::string name, CommandSetup setup);
};

// Builds the whole parser: --version and every registered sub-command.
void SetUpCommands(CLI::App& root);

// True when argv names a registered sub-command or an option, i.e. the
// program should run headless instead of opening the window.
bool IsHeadlessInvocation(int argc, char** argv);

// Parses and runs; returns the process exit status. Sub-command callbacks
// report failure by throwing CLI::RuntimeError(status) after printing their
// message on stderr.
int RunCommandLine(int argc, char** argv);

}  // namespace cli
