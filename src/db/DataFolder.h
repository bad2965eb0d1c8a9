// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

// The user's data folder holds words6.db, artfonts/ and usermanual/. It is
// filled on first use from the installed (delivered) data.

// $VANTELO_HOME, else $XDG_DATA_HOME/vantelo, else $HOME/.local/share/vantelo.
// No trailing "/".
std::string ResolveDataFolder();

// Where the delivered data is: share/tarvex4 beside the executable's bin/
// (or libexec/tarvex4/), else the install data folder, else the build
// tree's; the first one that holds words6.db. Empty when none does.
std::string InstalledDataFolder();

struct DataFolderSetup {
    bool copiedDatabase = false;        // words6.db was new for this user
    std::string keptAs;                 // where an empty words6.db was put aside
    std::vector<std::string> copied;    // entries copied (words6.db, artfonts, usermanual)
    std::vector<std::string> problems;  // what could not be done, one line each
    bool databaseSound = false;         // words6.db was found sound (and so left as it was)
    bool ok() const { return problems.empty(); }
};

// Creates `dataFolder` and copies into it what is missing of words6.db,
// artfonts/ and usermanual/ from `installedFolder` (a missing folder's
// contents are merged in file by file; existing files are never replaced).
// A words6.db copied for a new user gets its output folder set to
// dataFolder + "/collages/", which is created. Never throws.
DataFolderSetup EnsureDataFolder(const std::string& dataFolder, const std::string& installedFolder);
// The same for ResolveDataFolder() and InstalledDataFolder().
DataFolderSetup EnsureDataFolder();

struct DatabaseRestore {
    bool ok = false;      // the delivered copy is in place
    std::string keptAs;   // where the user's file was kept (empty: there was none)
    std::string problem;  // why it failed, or what went wrong after the copy
};

// Puts the delivered words6.db in place of the user's, which is renamed to
// words6.db.damaged-<date>-<time> beside it (with its journal files) and
// never deleted: the user's wordbooks and pictures are in it. The new copy
// gets its output folder set as for a new user. Never throws.
DatabaseRestore RestoreDeliveredDatabase(const std::string& dataFolder, const std::string& installedFolder);
