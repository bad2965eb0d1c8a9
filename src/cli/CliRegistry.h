// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <CLI/CLI.hpp>

#include <functional>
#include <string>
#include <vector>

// Each cli/*.cpp registers its sub-command with a static CliRegistration, so
// adding a command never touches the others.
namespace cli {

using CommandSetup = std::function<void(CLI::App& root)>;

struct CliRegistration {
    CliRegistration(std::string name, CommandSetup setup);
};

// Builds the whole parser: --version and every registered sub-command.
void SetUpCommands(CLI::App& root);

// The names of the registered sub-commands, sorted.
std::vector<std::string> CommandNames();

// True when argv names a registered sub-command or an option, i.e. the
// program should run headless instead of opening the window.
bool IsHeadlessInvocation(int argc, char** argv);

enum class Invocation {
    kHeadless,        // a sub-command or an option
    kWindow,          // no argument, or an existing file
    kUnknownCommand,  // a word that is neither
};
Invocation ClassifyInvocation(int argc, char** argv);

// Says on stderr that `word` is no sub-command, naming the closest one;
// returns the usage exit status 2.
int ReportUnknownCommand(const std::string& word);

// Parses and runs; returns the process exit status. Sub-command callbacks
// report failure by throwing CLI::RuntimeError(status) after printing their
// message on stderr.
int RunCommandLine(int argc, char** argv);

// A sub-command that failed, its message already on stderr: exit status 1.
[[noreturn]] void Failed();
// Says "tarvex4 COMMAND: MESSAGE" on stderr and fails.
[[noreturn]] void FailCommand(const std::string& command, const std::string& message);

}  // namespace cli
