#include "cli/CliRegistry.h"

#include "cli/CommandSuggestion.h"
#include "support/BuildInfo.h"

#include <filesystem>
#include <iostream>
#include <map>
#include <string_view>

namespace cli {
namespace {

std::map<std::string, CommandSetup>& Registry() {
    static std::map<std::string, CommandSetup> registry;
    return registry;
}

std::string VersionText() { return std::string("VANTELO  Version 1.2\ntarvex4 ") + TARVEX4_VERSION; }

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
        return 0;
    }
    CLI::App root{"", "tarvex4"};
    SetUpCommands(root);
    try {
        root.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // Bad options or values are usage errors: exit status 2.
        int status = root.exit(e);
        if (dynamic_cast<const CLI::RuntimeError*>(&e) != nullptr) return status;
        return status == 0 ? 0 : 2;
    }
    if (root.get_subcommands().empty()) {
        std::cout << root.help();
    }
    return 0;
}

}  // namespace cli
