// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "ScratchFolder.h"
#include "db/SqlDatabase.h"
#include "db/WordsDb.h"
#include "db/DataFolder.h"
#include "TestFiles.h"

namespace fs = std::filesystem;

namespace {

// Sets an environment variable for one test and restores it afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        if (value) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (m_old) {
            setenv(m_name, m_old->c_str(), 1);
        } else {
            unsetenv(m_name);
        }
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

std::string OutputFolderOf(const std::string& dataFolder) {
    SqlDatabase db;
    db.Open(wordsdb::DatabasePath(dataFolder));
    SqlQuery q = db.Query(wordsdb::SelectOutputFolder());
    return q.IsEof() ? "(no row)" : q.FieldText(0);
}

// A small stand-in for the delivered data.
class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(installed);
        SqlDatabase db;
        db.Open(wordsdb::DatabasePath(installed));
        db.Execute("CREATE TABLE collagesettings (OUTPUTFOLDER text)");
        db.Execute("INSERT INTO collagesettings (OUTPUTFOLDER) VALUES ('C:/delivered/')");
        db.Close();
        WriteFile(installed + "/artfonts/wz_dragdrop.js", "drag");
        WriteFile(installed + "/artfonts/lcd/a.gif", "GIF-a");
        WriteFile(installed + "/artfonts/lcd/b.gif", "GIF-b");
        WriteFile(installed + "/artfonts/lcd/c.gif", "GIF-c");
        WriteFile(installed + "/usermanual/vantelo_manual.html", "<html>manual</html>");
    }

    ScratchFolder scratch;
    std::string installed = scratch / "share/tarvex4";
    std::string user = scratch / "home/it's vantelo";
};

}  // namespace

TEST(ResolveDataFolder, PrefersVanteloHomeThenXdgThenHome) {
    ScopedEnv home("HOME", "/home/ann");
    {
        ScopedEnv vantelo("VANTELO_HOME", "/data/v/");
        ScopedEnv xdg("XDG_DATA_HOME", "/xdg");
        EXPECT_EQ(ResolveDataFolder(), "/data/v");
    }
    ScopedEnv vantelo("VANTELO_HOME", nullptr);
    {
        ScopedEnv xdg("XDG_DATA_HOME", "/xdg/");
        EXPECT_EQ(ResolveDataFolder(), "/xdg/vantelo");
    }
    {
        ScopedEnv xdg("XDG_DATA_HOME", "relative/path");  // not valid, ignored
        EXPECT_EQ(ResolveDataFolder(), "/home/ann/.local/share/vantelo");
    }
    ScopedEnv xdg("XDG_DATA_HOME", "");
    EXPECT_EQ(ResolveDataFolder(), "/home/ann/.local/share/vantelo");
    EXPECT_EQ(wordsdb::DefaultDatabasePath(), "/home/ann/.local/share/vantelo/words6.db");
}

TEST_F(DataFolderTest, FirstUseCopiesEverythingAndPointsOutputHome) {
    const DataFolderSetup setup = EnsureDataFolder(user, installed);
    EXPECT_TRUE(setup.ok()) << (setup.problems.empty() ? "" : setup.problems.front());
    EXPECT_TRUE(setup.copiedDatabase);
    EXPECT_EQ(setup.copied, (std::vector<std::string>{"words6.db", "artfonts", "usermanual"}));
    EXPECT_EQ(ReadFile(user + "/artfonts/lcd/a.gif"), "GIF-a");
    EXPECT_EQ(ReadFile(user + "/usermanual/vantelo_manual.html"), "<html>manual</html>");
    EXPECT_EQ(OutputFolderOf(user), user + "/collages/");
    EXPECT_TRUE(fs::is_directory(user + "/collages"));
    EXPECT_FALSE(fs::exists(user + "/words6.db.part"));
    // The delivered file itself is untouched.
    EXPECT_EQ(OutputFolderOf(installed), "C:/delivered/");

    EXPECT_FALSE(setup.databaseSound);  // there was none to find sound

    // A second start finds nothing to do; this stand-in lacks the delivered
    // tables, so the database is not called sound (the window then offers the
    // delivered copy).
    const DataFolderSetup again = EnsureDataFolder(user, installed);
    EXPECT_TRUE(again.ok());
    EXPECT_FALSE(again.copiedDatabase);
    EXPECT_TRUE(again.copied.empty());
    EXPECT_FALSE(again.databaseSound);
    {
        SqlDatabase db;
        db.Open(wordsdb::DatabasePath(user));
        for (const auto& table : wordsdb::DeliveredTables())
            if (table.name != std::string("collagesettings")) db.Execute(table.createStatement);
    }
    EXPECT_TRUE(EnsureDataFolder(user, installed).databaseSound);
}

TEST_F(DataFolderTest, NeverReplacesWhatTheUserHas) {
    EnsureDataFolder(user, installed);
    {
        SqlDatabase db;
        db.Open(wordsdb::DatabasePath(user));
        db.Execute(wordsdb::UpdateOutputFolder("/my/pages/"));
    }
    WriteFile(user + "/artfonts/wz_dragdrop.js", "edited");
    fs::remove(user + "/artfonts/lcd/a.gif");
    fs::remove_all(user + "/usermanual");
    // A file the user put in as a link is theirs too; a link to nothing is not a file.
    WriteFile(scratch / "mine.gif", "mine");
    for (const char* letter : {"b", "c"}) fs::remove(user + "/artfonts/lcd/" + letter + ".gif");
    fs::create_symlink(scratch / "mine.gif", user + "/artfonts/lcd/b.gif");
    fs::create_symlink(scratch / "gone.gif", user + "/artfonts/lcd/c.gif");

    const DataFolderSetup setup = EnsureDataFolder(user, installed);
    EXPECT_TRUE(setup.ok());
    EXPECT_FALSE(setup.copiedDatabase);
    EXPECT_EQ(setup.copied, (std::vector<std::string>{"artfonts", "usermanual"}));
    EXPECT_EQ(OutputFolderOf(user), "/my/pages/");
    EXPECT_EQ(ReadFile(user + "/artfonts/wz_dragdrop.js"), "edited");
    EXPECT_EQ(ReadFile(user + "/artfonts/lcd/a.gif"), "GIF-a");
    EXPECT_EQ(ReadFile(user + "/artfonts/lcd/b.gif"), "mine");
    EXPECT_EQ(ReadFile(user + "/artfonts/lcd/c.gif"), "GIF-c");
    EXPECT_TRUE(fs::exists(user + "/usermanual/vantelo_manual.html"));
}

TEST_F(DataFolderTest, AddsASettingsRowWhenTheFileHasNone) {
    {
        SqlDatabase db;
        db.Open(wordsdb::DatabasePath(installed));
        db.Execute("DELETE FROM collagesettings");
    }
    EXPECT_TRUE(EnsureDataFolder(user, installed).ok());
    EXPECT_EQ(OutputFolderOf(user), user + "/collages/");
}

TEST_F(DataFolderTest, ProblemsAreReportedNotThrown) {
    const DataFolderSetup nothingInstalled = EnsureDataFolder(user, "");
    EXPECT_FALSE(nothingInstalled.ok());
    EXPECT_FALSE(fs::exists(user + "/words6.db"));

    WriteFile(scratch / "plainfile", "x");
    EXPECT_FALSE(EnsureDataFolder(scratch / "plainfile/sub", installed).ok());

    fs::remove_all(installed + "/usermanual");
    const DataFolderSetup partial = EnsureDataFolder(user, installed);
    EXPECT_FALSE(partial.ok());
    EXPECT_TRUE(partial.copiedDatabase);
    EXPECT_TRUE(fs::exists(user + "/artfonts/wz_dragdrop.js"));
}

TEST(InstalledDataFolder, FindsTheBuildTreeData) {
    // Either a real install or the build tree; whatever is found holds the file.
    const std::string found = InstalledDataFolder();
    if (!found.empty()) {
        EXPECT_TRUE(fs::exists(wordsdb::DatabasePath(found)));
    } else {
        EXPECT_FALSE(fs::exists(wordsdb::DatabasePath(TARVEX4_BUILD_DATA_DIR)));
    }
}
