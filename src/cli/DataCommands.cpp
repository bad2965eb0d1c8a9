// SPDX-License-Identifier: GPL-3.0-or-later
// tarvex4 data check / restore: the words database in the data folder.
#include "cli/CliRegistry.h"
#include "cli/WordsDbGate.h"
#include "composer/WordsDbRepair.h"
#include "db/DataFolder.h"
#include "db/WordsDb.h"
#include "db/WordsDbCheck.h"

#include <nlohmann/json.hpp>

#include <iostream>
#include <memory>

namespace {

struct DataOptions {
    std::string data;
    bool force = false;
    bool json = false;
};

std::string FolderOf(const DataOptions& o) { return o.data.empty() ? ResolveDataFolder() : o.data; }

void Check(const DataOptions& o) {
    const std::string problem = WordsDbProblem(FolderOf(o));
    if (o.json) {
        const nlohmann::ordered_json check = {
            {"database", FolderOf(o) + "/words6.db"}, {"ok", problem.empty()}, {"problem", problem}};
        const nlohmann::ordered_json answer = nlohmann::ordered_json::array({check});
        std::cout << answer.dump(2) << std::endl;
        if (!problem.empty()) throw CLI::RuntimeError(1);
        return;
    }
    if (!problem.empty()) {
        std::cerr << "tarvex4 data check: " << problem << "\n";
        throw CLI::RuntimeError(1);
    }
    std::cout << "The words database " << FolderOf(o) << "/words6.db is in order." << std::endl;
}

void Restore(const DataOptions& o) {
    const std::string folder = FolderOf(o);
    const std::string problem = WordsDbProblem(folder);
    if (problem.empty() && !o.force) {
        std::cout << "The words database " << folder << "/words6.db is in order; nothing was changed "
                  << "(--force replaces it all the same)." << std::endl;
        return;
    }
    const DatabaseRestore restore = RestoreDeliveredDatabase(folder, InstalledDataFolder());
    if (!restore.ok) {
        std::cerr << "tarvex4 data restore: " << restore.problem << "\n";
        throw CLI::RuntimeError(1);
    }
    if (!restore.problem.empty()) std::cerr << "tarvex4 data restore: " << restore.problem << "\n";
    std::cout << "The delivered words database is in place: " << folder << "/words6.db" << std::endl;
    if (!restore.keptAs.empty()) std::cout << "The previous file was kept as " << restore.keptAs << std::endl;
}

const cli::CliRegistration dataCommands{
    "data", [](CLI::App& root) {
        CLI::App* data = root.add_subcommand("data", "Look after the data folder's words database (words6.db).");
        data->require_subcommand(1);

        auto check = std::make_shared<DataOptions>();
        CLI::App* checkCommand = data->add_subcommand(
            "check",
            "Say whether words6.db is there, is a database and holds every table the program reads\n"
            "(exit 0 in order, 1 broken).");
        checkCommand->add_option("--data", check->data, "Data folder DIR (default: the user's data folder)");
        checkCommand->add_flag("--json", check->json, "Print a JSON array of one object: database, ok, problem");
        checkCommand->callback([check] { Check(*check); });

        auto restore = std::make_shared<DataOptions>();
        CLI::App* restoreCommand = data->add_subcommand(
            "restore",
            "Put the delivered words6.db in place of a missing, damaged or foreign one. The file as it\n"
            "was is kept beside it as words6.db.damaged-<date>-<time> (never deleted: wordbooks and\n"
            "imported pictures live there); its path is printed.");
        restoreCommand->add_option("--data", restore->data, "Data folder DIR (default: the user's data folder)");
        restoreCommand->add_flag("--force", restore->force, "Replace a database that is in order as well");
        restoreCommand->callback([restore] { Restore(*restore); });
    }};

}  // namespace

namespace cli {

void RequireWordsDatabase(const std::string& command, const std::string& dataFolder) {
    const std::string problem = WordsDbProblem(dataFolder);
    if (problem.empty()) return;
    std::cerr << "tarvex4 " << command << ": " << problem << "\n"
              << "tarvex4 " << command << ": " << wordsdb::RestoreAdvice(wordsdb::DatabasePath(dataFolder)) << "\n";
    throw CLI::RuntimeError(1);
}

}  // namespace cli
