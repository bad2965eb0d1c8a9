// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliRegistry.h"

#include "cli/CommandSuggestion.h"
#include "support/BuildInfo.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <algorithm>
#include <map>
#include <optional>
#include <string_view>

namespace cli {
namespace {

std::map<std::string, CommandSetup>& Registry() {
    static std::map<std::string, CommandSetup> registry;
    return registry;
}

std::string VersionText() {
    return std::string("VANTELO  Version 1.2\ntarvex4 ") + TARVEX4_VERSION +
           "\nLicence GPL-3.0-or-later: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
           "This is free software: you are free to change and redistribute it.\n"
           "There is NO WARRANTY, to the extent permitted by law.";
}

// "tarvex4 images list": the program and the sub-commands that ran.
std::string CommandPath(const CLI::App& root) {
    std::string path = "tarvex4";
    for (const CLI::App* app = &root;;) {
        const auto chosen = app->get_subcommands();
        if (chosen.empty()) return path;
        app = chosen.front();
        path += " " + app->get_name();
    }
}

// Output that did not reach its reader is a failure, whatever was printed
// (a full disk, a closed pipe): a command that succeeded then ends with 1.
int CheckedOutput(int status, const std::string& who) {
    errno = 0;
    std::cout.flush();
    const bool failed = std::fflush(stdout) != 0 || std::ferror(stdout) != 0 || !std::cout;
    const int code = errno;
    if (!failed || status != 0) return status;
    std::cerr << who << ": cannot write the output" << (code != 0 ? std::string(": ") + std::strerror(code) : "")
              << '\n';
    return 1;
}

// "wordbook lst": a word where a group wants one of its sub-commands is
// named with the closest of them, as a mistyped command is. Nothing to say
// (nullopt) when argv holds no such word.
std::optional<int> ReportUnknownSubcommand(const CLI::App& root, int argc, char** argv) {
    if (argc < 3) return std::nullopt;
    const std::vector<const CLI::App*> groups =
        root.get_subcommands([&](const CLI::App* app) { return app->get_name() == argv[1]; });
    if (groups.empty()) return std::nullopt;
    std::vector<std::string> names;
    for (const CLI::App* sub : groups.front()->get_subcommands([](const CLI::App*) { return true; }))
        names.push_back(sub->get_name());
    if (names.empty()) return std::nullopt;
    const std::string word = argv[2];
    if (word.empty() || word[0] == '-' || std::find(names.begin(), names.end(), word) != names.end())
        return std::nullopt;
    std::cerr << "tarvex4 " << argv[1] << ": unknown sub-command \"" << word << "\"";
    const std::string closest = ClosestCommand(word, names);
    if (!closest.empty()) std::cerr << "; the closest is \"" << closest << "\"";
    std::cerr << ".\nSee tarvex4 " << argv[1] << " --help for its sub-commands.\n";
    return 2;
}

}  // namespace

CliRegistration::CliRegistration(std::string name, CommandSetup setup) {
    Registry().emplace(std::move(name), std::move(setup));
}

void SetUpCommands(CLI::App& root) {
    root.description(
        "tarvex4: text cut-up and auto-collage generator.\n"
        "Without arguments (or with an existing file as argument) it opens the\n"
        "window; a sub-command runs headless and loads no Qt library. A word that\n"
        "is neither a sub-command nor an existing file is an unknown command\n"
        "(exit status 2).");
    root.footer(
        "Environment:\n"
        "  VANTELO_HOME=DIR     the data folder (default $XDG_DATA_HOME/vantelo or ~/.local/share/vantelo)\n"
        "  TARVEX4_NO_OPEN=1    open no page or manual in a browser, also from the window (servers, CI)");
    root.set_version_flag("--version", VersionText());
    root.require_subcommand(0, 1);
    for (auto& [name, setup] : Registry()) setup(root);
}

bool IsHeadlessInvocation(int argc, char** argv) {
    if (argc < 2) return false;
    std::string first = argv[1];
    if (!first.empty() && first[0] == '-') return true;
    return Registry().count(first) > 0;
}

std::vector<std::string> CommandNames() {
    std::vector<std::string> names;
    for (const auto& entry : Registry()) names.push_back(entry.first);
    return names;
}

Invocation ClassifyInvocation(int argc, char** argv) {
    if (argc < 2) return Invocation::kWindow;
    if (IsHeadlessInvocation(argc, argv)) return Invocation::kHeadless;
    // The window takes a document argument (and shows the empty form), so only
    // a word that names no file is taken for a mistyped sub-command.
    std::error_code error;
    if (std::filesystem::exists(argv[1], error)) return Invocation::kWindow;
    return Invocation::kUnknownCommand;
}

int ReportUnknownCommand(const std::string& word) {
    std::cerr << "tarvex4: unknown command \"" << word << "\"";
    const std::string closest = ClosestCommand(word, CommandNames());
    if (!closest.empty()) std::cerr << "; the closest is \"" << closest << "\"";
    std::cerr << ".\nNo file of that name either. See tarvex4 --help for the sub-commands.\n";
    return 2;
}

int RunCommandLine(int argc, char** argv) {
    // The plain version question is answered before the parser of every
    // sub-command is built: scripts ask it to see that the program runs.
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::cout << VersionText() << '\n';
        return CheckedOutput(0, "tarvex4");
    }
    CLI::App root{"", "tarvex4"};
    SetUpCommands(root);
    if (const std::optional<int> status = ReportUnknownSubcommand(root, argc, argv)) return *status;
    try {
        root.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // Bad options or values are usage errors: exit status 2.
        int status = root.exit(e);
        if (dynamic_cast<const CLI::RuntimeError*>(&e) != nullptr) return CheckedOutput(status, CommandPath(root));
        return CheckedOutput(status == 0 ? 0 : 2, CommandPath(root));
    }
    if (root.get_subcommands().empty()) {
        std::cout << root.help();
    }
    return CheckedOutput(0, CommandPath(root));
}

void Failed() { throw CLI::RuntimeError(1); }

void FailCommand(const std::string& command, const std::string& message) {
    std::cerr << "tarvex4 " << command << ": " << message << "\n";
    Failed();
}

}  // namespace cli
