// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/DataFolder.h"

#include "support/InstalledFile.h"
#include "support/SafeFile.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>
#include <string>
#include <system_error>

#include "db/CppSQLite3Exception.h"
#include "db/SqlDatabase.h"
#include "db/WordsDb.h"
#include "db/WordsDbCheck.h"
#include "support/BuildInfo.h"

namespace fs = std::filesystem;

namespace {

const char* const kCopiedFolders[] = {"artfonts", "usermanual"};

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

std::string HomeFolder() {
    std::string home = Environment("HOME");
    if (home.empty()) {
        if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) {
            home = entry->pw_dir;
        }
    }
    return home;
}

bool HoldsDatabase(const std::string& folder) {
    std::error_code error;
    return !folder.empty() && fs::is_regular_file(wordsdb::DatabasePath(folder), error);
}

// Copies through a temporary name, so an interrupted copy never leaves a
// partial file that a later start would take for the user's own.
bool CopyFileWhole(const fs::path& from, const fs::path& to, std::string& problem) {
    std::string why;
    if (CopyFileReplacing(from.string(), to.string(), why)) return true;
    problem = "cannot copy " + from.string() + " to " + to.string() + " (" + why + ")";
    return false;
}

// Whether a path is there, asking the disk once per folder (its listing)
// instead of once per file, as every start checks every delivered file. A
// link, and anything in a folder that cannot be listed, is asked about alone.
class ListedPaths {
public:
    bool Exists(const fs::path& path) {
        auto [folder, made] = m_folders.try_emplace(path.parent_path().string());
        if (made) folder->second = List(path.parent_path());
        const Listing& names = folder->second;
        const auto found = names.links.find(path.filename().string());
        if (names.read && found == names.links.end()) return false;
        if (names.read && !found->second) return true;
        std::error_code error;
        return fs::exists(path, error);
    }

private:
    struct Listing {
        bool read = false;
        std::map<std::string, bool> links;  // name -> whether it is a link
    };

    static Listing List(const fs::path& folder) {
        Listing listing;
        std::error_code error;
        if (!fs::exists(folder, error)) return {true, {}};
        for (auto it = fs::directory_iterator(folder, error); !error && it != fs::directory_iterator();
             it.increment(error)) {
            std::error_code typeError;
            listing.links[it->path().filename().string()] = it->is_symlink(typeError) || typeError;
        }
        listing.read = !error;
        return listing;
    }

    std::map<std::string, Listing> m_folders;
};

// Adds what `to` lacks of the tree `from`; files already there are kept.
void MergeFolder(const fs::path& from, const fs::path& to, DataFolderSetup& setup) {
    std::error_code error;
    if (!fs::is_directory(from, error)) {
        setup.problems.push_back("no " + from.string() + " in the installed data");
        return;
    }
    bool copiedAny = false;
    const auto addProblem = [&](const std::string& text) { setup.problems.push_back(text); };
    fs::create_directories(to, error);
    if (error) {
        addProblem("cannot create " + to.string());
        return;
    }
    ListedPaths present;
    for (auto it = fs::recursive_directory_iterator(from, error); !error && it != fs::recursive_directory_iterator();
         it.increment(error)) {
        std::error_code entryError;
        // The walk names each entry below `from`: its place there is read off
        // the name, without resolving every folder of the path on disk.
        const fs::path target = to / it->path().lexically_relative(from);
        if (it->is_directory(entryError)) {
            if (!present.Exists(target)) {
                fs::create_directories(target, entryError);
                if (entryError) addProblem("cannot create " + target.string());
            }
        } else if (!present.Exists(target)) {
            std::string problem;
            if (CopyFileWhole(it->path(), target, problem)) {
                copiedAny = true;
            } else {
                addProblem(problem);
            }
        }
    }
    if (error) {
        addProblem("cannot read " + from.string());
    }
    if (copiedAny) {
        setup.copied.push_back(from.filename().string());
    }
}

// A new user's collages go into their own data folder.
void PointOutputFolderHome(const std::string& dataFolder, DataFolderSetup& setup) {
    const std::string collages = dataFolder + "/collages/";
    std::error_code error;
    fs::create_directories(collages, error);
    if (error) {
        setup.problems.push_back("cannot create " + collages);
    }
    try {
        SqlDatabase db;
        db.OpenExisting(wordsdb::DatabasePath(dataFolder));
        if (db.Execute(wordsdb::UpdateOutputFolder(collages)) == 0) {
            db.Execute(wordsdb::InsertOutputFolder(collages));
        }
        db.Close();
    } catch (const CppSQLite3Exception& e) {
        setup.problems.push_back(std::string("cannot set the output folder: ") + e.Message());
    }
}

// "<file>.damaged-YYYYMMDD-HHMMSS", with "-2", "-3" ... when taken.
fs::path DamagedName(const fs::path& database) {
    char stamp[32] = "unknown-date";
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local)) std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = database.string() + ".damaged-" + stamp;
    fs::path name = base;
    std::error_code error;
    for (int n = 2; fs::exists(name, error) || fs::exists(name.string() + "-journal", error); ++n) {
        name = base + "-" + std::to_string(n);
    }
    return name;
}

// Moves the database and its journals aside. A journal left behind would be
// played back into the copy that replaces it.
bool KeepAside(const fs::path& database, const fs::path& keptAs, std::string& problem) {
    std::error_code error;
    fs::rename(database, keptAs, error);
    if (error) {
        problem = "cannot move " + database.string() + " aside: " + error.message();
        return false;
    }
    for (const char* suffix : {"-journal", "-wal", "-shm"}) {
        const fs::path journal = database.string() + suffix;
        std::error_code journalError;
        if (fs::exists(journal, journalError)) fs::rename(journal, keptAs.string() + suffix, journalError);
    }
    return true;
}

}  // namespace

std::string ResolveDataFolder() {
    if (std::string home = Environment("VANTELO_HOME"); !home.empty()) {
        return WithoutTrailingSlashes(home);
    }
    // Relative values are invalid and to be ignored.
    if (std::string xdg = Environment("XDG_DATA_HOME"); !xdg.empty() && xdg.front() == '/') {
        return WithoutTrailingSlashes(xdg) + "/vantelo";
    }
    return WithoutTrailingSlashes(HomeFolder()) + "/.local/share/vantelo";
}

std::string InstalledDataFolder() {
    std::vector<std::string> candidates;
    // The installed data sit at share/tarvex4, two folders above the window
    // program's libexec/tarvex4, wherever the program itself runs from.
    if (const fs::path share = InstalledFile("../../share/tarvex4"); share.is_absolute()) {
        std::error_code error;
        const fs::path canonical = fs::weakly_canonical(share, error);
        candidates.push_back(error ? share.string() : canonical.string());
    }
    candidates.emplace_back(TARVEX4_INSTALL_DATA_DIR);
    candidates.emplace_back(TARVEX4_BUILD_DATA_DIR);
    for (const std::string& folder : candidates) {
        if (HoldsDatabase(folder)) {
            return folder;
        }
    }
    return std::string();
}

DataFolderSetup EnsureDataFolder(const std::string& dataFolder, const std::string& installedFolder) {
    DataFolderSetup setup;
    std::error_code error;
    fs::create_directories(dataFolder, error);
    if (error || !fs::is_directory(dataFolder, error)) {
        setup.problems.push_back("cannot create the data folder " + dataFolder);
        return setup;
    }
    const fs::path database = wordsdb::DatabasePath(dataFolder);
    // An empty file (or one without a table) is what opening a missing
    // database used to leave behind: nothing of the user's is in it.
    const wordsdb::DatabaseHealth health = wordsdb::CheckDatabase(database.string());
    setup.databaseSound = health.ok();
    const bool needDatabase = health.holdsNothing();
    if (installedFolder.empty()) {
        if (needDatabase) {
            setup.problems.push_back("no installed data found to copy into " + dataFolder);
        }
        return setup;
    }
    if (needDatabase) {
        if (health.state == wordsdb::Health::Empty) {
            DatabaseRestore restore = RestoreDeliveredDatabase(dataFolder, installedFolder);
            if (restore.ok) {
                setup.copiedDatabase = true;
                setup.copied.push_back(wordsdb::kFileName);
                setup.keptAs = restore.keptAs;
            } else {
                setup.problems.push_back(restore.problem);
            }
        } else {
            std::string problem;
            if (CopyFileWhole(wordsdb::DatabasePath(installedFolder), database, problem)) {
                setup.copiedDatabase = true;
                setup.copied.push_back(wordsdb::kFileName);
                PointOutputFolderHome(dataFolder, setup);
            } else {
                setup.problems.push_back(problem);
            }
        }
    }
    for (const char* folder : kCopiedFolders) {
        MergeFolder(fs::path(installedFolder) / folder, fs::path(dataFolder) / folder, setup);
    }
    return setup;
}

DataFolderSetup EnsureDataFolder() { return EnsureDataFolder(ResolveDataFolder(), InstalledDataFolder()); }

DatabaseRestore RestoreDeliveredDatabase(const std::string& dataFolder, const std::string& installedFolder) {
    DatabaseRestore restore;
    const fs::path database = wordsdb::DatabasePath(dataFolder);
    const std::string delivered = installedFolder.empty() ? std::string() : wordsdb::DatabasePath(installedFolder);
    std::error_code error;
    if (delivered.empty() || !fs::is_regular_file(delivered, error)) {
        restore.problem = "no delivered words database found to put in place of " + database.string();
        return restore;
    }
    fs::create_directories(dataFolder, error);
    const bool present = fs::exists(fs::symlink_status(database, error));
    if (present) {
        const fs::path keptAs = DamagedName(database);
        if (!KeepAside(database, keptAs, restore.problem)) return restore;
        restore.keptAs = keptAs.string();
    }
    if (!CopyFileWhole(delivered, database, restore.problem)) {
        // The user's file goes back where it was rather than leave none.
        if (present) {
            fs::rename(restore.keptAs, database, error);
            if (!error) restore.keptAs.clear();
        }
        return restore;
    }
    DataFolderSetup setup;
    PointOutputFolderHome(dataFolder, setup);
    restore.ok = true;
    if (!setup.problems.empty()) restore.problem = setup.problems.front();
    return restore;
}
