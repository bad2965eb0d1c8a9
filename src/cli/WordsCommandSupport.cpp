// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/WordsCommandSupport.h"

#include "cli/WordsDbGate.h"

#include "db/DataFolder.h"
#include "support/Random.h"

#include <iostream>

namespace cli {

std::string WordsDataFolder(const std::string& data, const std::string& command) {
    bool sound = false;  // the set-up has just found the database sound
    if (data.empty()) {
        const DataFolderSetup setup = EnsureDataFolder();
        for (const std::string& problem : setup.problems) std::cerr << "tarvex4 " << command << ": " << problem << '\n';
        sound = setup.databaseSound;
    }
    const std::string folder = data.empty() ? ResolveDataFolder() : data;
    if (!sound) RequireWordsDatabase(command, folder);
    return folder;
}

void SeedGenerator(const std::optional<std::uint32_t>& seed) {
    if (seed) {
        rng::Seed(*seed);
    } else {
        rng::SeedFromTime();
    }
}

bool PrintResult(const std::string& text) {
    std::cout << text << '\n';
    std::cout.flush();
    return static_cast<bool>(std::cout);
}

}  // namespace cli
