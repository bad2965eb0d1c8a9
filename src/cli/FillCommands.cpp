// SPDX-License-Identifier: GPL-3.0-or-later
// tarvex4 fill / tarvex4 author: the main form's "fill" and "authors" buttons
// without the window; the result text is printed instead of shown.
#include "cli/CliRegistry.h"
#include "cli/WordsCommandSupport.h"
#include "form/MainFormState.h"
#include "support/ConsoleUserInterface.h"
#include "db/SqlDatabase.h"
#include "wordbooks/AuthorList.h"
#include "wordbooks/FillCommands.h"

#include <iostream>
#include <memory>
#include <optional>

namespace {

struct FillOptions {
    std::optional<std::uint32_t> seed;
    std::string data;
    std::string author;
    bool list = false;
};

// Prints the outcome; failures (already told on stderr) give exit status 1.
void Finish(const std::string& command, const wordbooks::FillOutcome& outcome) {
    if (!outcome.failure.empty()) cli::Failed();
    if (!outcome.replaced) {
        std::cerr << "tarvex4 " << command << ": nothing was drawn\n";
        cli::Failed();
    }
    if (!cli::PrintResult(outcome.text)) {
        std::cerr << "tarvex4 " << command << ": cannot write the output\n";
        cli::Failed();
    }
    if (outcome.failedLookups > 0) {
        std::cerr << "tarvex4 " << command << ": " << outcome.failedLookups
                  << " look-ups failed and gave empty words\n";
        cli::Failed();
    }
}

void RunFill(const FillOptions& options) {
    ConsoleUserInterface ui(std::cerr);
    MainFormState state;
    state.m_dataFolder = cli::WordsDataFolder(options.data, "fill");
    SqlDatabase db;
    wordbooks::FillTarget target = wordbooks::MainFormTarget(state, db, ui);
    cli::SeedGenerator(options.seed);
    Finish("fill", wordbooks::FillRandomWords(target));
}

void RunAuthor(const FillOptions& options) {
    if (options.list) {
        for (std::string_view author : wordbooks::AuthorList()) std::cout << author << '\n';
        return;
    }
    if (options.author.empty()) throw CLI::ValidationError("NAME", "give an author's name, or --list");
    ConsoleUserInterface ui(std::cerr);
    MainFormState state;
    state.m_dataFolder = cli::WordsDataFolder(options.data, "author");
    SqlDatabase db;
    wordbooks::FillTarget target = wordbooks::MainFormTarget(state, db, ui);
    cli::SeedGenerator(options.seed);
    const wordbooks::FillOutcome outcome = wordbooks::SampleAuthorText(target, options.author);
    if (outcome.failure.empty() && !outcome.found) {
        std::cerr << "tarvex4 author: there is no author \"" << options.author
                  << "\" (tarvex4 author --list shows them)\n";
        cli::Failed();
    }
    Finish("author", outcome);
}

void AddCommonOptions(CLI::App* command, FillOptions& options) {
    command->add_option("--seed", options.seed, "Seed the random generator with N (default: the time)");
    command->add_option("--data", options.data, "Data folder DIR holding words6.db (default: the user's data folder)");
}

const cli::CliRegistration fillRegistration{
    "fill", [](CLI::App& root) {
        auto options = std::make_shared<FillOptions>();
        CLI::App* fill = root.add_subcommand(
            "fill",
            "Draw 150 random words from the word class tables, as the main form's \"fill\" button does,\n"
            "and print the text.");
        AddCommonOptions(fill, *options);
        fill->callback([options] { RunFill(*options); });
    }};

const cli::CliRegistration authorRegistration{
    "author", [](CLI::App& root) {
        auto options = std::make_shared<FillOptions>();
        CLI::App* author =
            root.add_subcommand("author",
                                "Draw 150 random samples of a classic author's texts, as the authors dialog does,\n"
                                "and print the text. NAME is an entry of the author list, written exactly.");
        author->add_option("NAME", options->author, "The author, e.g. \"Milton, John\"");
        author->add_flag("--list", options->list, "Print the 49 entries of the author list, one a line");
        AddCommonOptions(author, *options);
        author->callback([options] { RunAuthor(*options); });
    }};

}  // namespace
