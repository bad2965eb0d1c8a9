#include "db/DataFolder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "db/CppSQLite3Exception.h"
#include "db/SqlDatabase.h"
#include "db/WordsDb.h"
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

std::string ExecutableFolder() {
    std::error_code error;
    const fs::path exe = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : exe.parent_path().string();
}

bool HoldsDatabase(const std::string& folder) {
    std::error_code error;
    return !folder.empty() && fs::is_regular_file(wordsdb::DatabasePath(folder), error);
}

// Copies through a temporary name, so an interrupted copy never leaves a
// partial file that a later start would take for the user's own.
bool CopyFileWhole(const fs::path& from, const fs::path& to, std::string& problem) {
    fs::path partial = to;
    partial += ".part";
    std::error_code error;
    fs::copy_file(from, partial, fs::copy_options::overwrite_existing, error);
    if (!error) {
        fs::rename(partial, to, error);
    }
    if (error) {
        fs::remove(partial, error);
        problem = "cannot copy " + from.string() + " to " + to.string();
        return false;
    }
    return true;
}

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
    for (auto it = fs::recursive_directory_iterator(from, error); !error && it != fs::recursive_directory_iterator();
         it.increment(error)) {
        const fs::path target = to / fs::relative(it->path(), from);
        std::error_code entryError;
        if (it->is_directory(entryError)) {
            if (!fs::exists(target, entryError)) {
                fs::create_directories(target, entryError);
                if (entryError) addProblem("cannot create " + target.string());
            }
        } else if (!fs::exists(target, entryError)) {
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
        db.Open(wordsdb::DatabasePath(dataFolder));
        if (db.Execute(wordsdb::UpdateOutputFolder(collages)) == 0) {
            db.Execute(wordsdb::InsertOutputFolder(collages));
        }
        db.Close();
    } catch (const CppSQLite3Exception& e) {
        setup.problems.push_back(std::string("cannot set the output folder: ") + e.Message());
    }
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
    if (std::string exeFolder = ExecutableFolder(); !exeFolder.empty()) {
        candidates.push_back(fs::weakly_canonical(fs::path(exeFolder) / ".." / "share" / "tarvex4").string());
        // The window program sits one level deeper, in libexec/tarvex4.
        candidates.push_back(fs::weakly_canonical(fs::path(exeFolder) / ".." / ".." / "share" / "tarvex4").string());
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
    const bool needDatabase = !fs::exists(database, error);
    if (installedFolder.empty()) {
        if (needDatabase) {
            setup.problems.push_back("no installed data found to copy into " + dataFolder);
        }
        return setup;
    }
    if (needDatabase) {
        std::string problem;
        if (CopyFileWhole(wordsdb::DatabasePath(installedFolder), database, problem)) {
            setup.copiedDatabase = true;
            setup.copied.push_back(wordsdb::kFileName);
            PointOutputFolderHome(dataFolder, setup);
        } else {
            setup.problems.push_back(problem);
        }
    }
    for (const char* folder : kCopiedFolders) {
        MergeFolder(fs::path(installedFolder) / folder, fs::path(dataFolder) / folder, setup);
    }
    return setup;
}

DataFolderSetup EnsureDataFolder() { return EnsureDataFolder(ResolveDataFolder(), InstalledDataFolder()); }
