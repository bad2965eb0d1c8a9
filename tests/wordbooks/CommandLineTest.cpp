// SPDX-License-Identifier: GPL-3.0-or-later
#include "WordsFixture.h"
#include "ProgramRun.h"

#include "wordbooks/AuthorList.h"

#include <signal.h>
#include <sys/stat.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

extern char** environ;

namespace {

// Drives the built program's fill, author and wordbook commands.
class CommandLineTest : public wordstest::WordsTest {
protected:
    int Run(const std::string& arguments) {
        ProgramRun run = RunTarvex4(arguments + " --data " + Quoted(data.path()), data.path());
        out = run.out;
        err = run.err;
        return run.status;
    }
    // Starts a program and returns once its first batch of entries is
    // committed to `table` (or after 30 s), so a test can stop it mid-load.
    pid_t StartAndWaitForEntries(std::vector<std::string> args, const std::string& table) {
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        pid_t pid = 0;
        EXPECT_EQ(posix_spawn(&pid, args[0].c_str(), nullptr, nullptr, argv.data(), environ), 0);
        SqlDatabase db;
        db.Open(DatabasePath());
        db.SetBusyTimeout(5000);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        long seen = 0;
        while (seen == 0 && std::chrono::steady_clock::now() < deadline) {
            try {
                seen = db.Query("SELECT COUNT(*) FROM " + table).FieldInt(0);
            } catch (const CppSQLite3Exception&) {}
            if (seen == 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        db.Close();
        return pid;
    }
    std::string out;
    std::string err;
};

TEST_F(CommandLineTest, FillPrintsTheTextAsBuiltForASeed) {
    ASSERT_EQ(Run("fill --seed 42"), 0) << err;
    ASSERT_EQ(out.substr(out.size() - 2), " \n");
    EXPECT_EQ(wordstest::SplitSpaces(out).size(), 150u);
    EXPECT_EQ(out.rfind("nouns_", 0), 0u);
    const std::string first = out;
    ASSERT_EQ(Run("fill --seed 42"), 0);
    EXPECT_EQ(out, first);
    ASSERT_EQ(Run("fill --seed 43"), 0);
    EXPECT_NE(out, first);
    EXPECT_EQ(Run("fill --seed x"), 2);
}

TEST_F(CommandLineTest, FillWithoutADatabaseFails) {
    std::filesystem::remove(DatabasePath());
    EXPECT_EQ(Run("fill --seed 1"), 1);
    EXPECT_TRUE(out.empty());
    EXPECT_NE(err.find(DatabasePath() + " is missing"), std::string::npos) << err;
    EXPECT_NE(err.find("tarvex4 data restore"), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(DatabasePath()));
}

TEST_F(CommandLineTest, AuthorSamplesAndTheAuthorList) {
    ASSERT_EQ(Run("author 'Milton, John' --seed 3"), 0) << err;
    for (const auto& w : wordstest::SplitSpaces(out))
        EXPECT_TRUE(w == "paradise" || w == "lost" || w == "sample" || w == "two" || w == "third") << w;

    EXPECT_EQ(Run("author 'Nobody, Noone'"), 1);
    EXPECT_TRUE(out.empty());
    EXPECT_NE(err.find("Nobody, Noone"), std::string::npos);

    EXPECT_EQ(Run("author 'Watts, Isaac' --seed 1"), 1);
    EXPECT_NE(err.find("hold no samples"), std::string::npos);

    ASSERT_EQ(Run("author --list"), 0);
    std::string expected;
    for (auto author : wordbooks::AuthorList()) expected += std::string(author) + "\n";
    EXPECT_EQ(out, expected);
}

TEST_F(CommandLineTest, WordbookCreateListSampleRenameDelete) {
    const std::string file = WriteFile("my list (2).txt", "alpha\nbeta\nx\n");
    ASSERT_EQ(Run("wordbook create '" + file + "'"), 0) << err;
    EXPECT_EQ(out, "my_list__2_\tmy_list__2_5\t2\n");

    ASSERT_EQ(Run("wordbook list"), 0) << err;
    EXPECT_EQ(out,
              "nonsensewords\tnonsensewords1\t2\nvelnarphrases\tvelnarphrases4\t0\nmy_list__2_\tmy_list__2_5\t2\n");

    ASSERT_EQ(Run("wordbook sample my_list__2_ --seed 5"), 0) << err;
    EXPECT_EQ(wordstest::SplitSpaces(out).size(), 300u);
    EXPECT_EQ(out.front(), ' ');

    ASSERT_EQ(Run("wordbook rename my_list__2_ 'best (of)'"), 0) << err;
    EXPECT_EQ(out, "best -of-\n");
    ASSERT_EQ(Run("wordbook sample 'best -of-' --seed 5"), 0) << err;

    ASSERT_EQ(Run("wordbook delete 'best -of-'"), 0) << err;
    ASSERT_EQ(Run("wordbook list"), 0);
    EXPECT_EQ(out.find("best"), std::string::npos);
}

TEST_F(CommandLineTest, WordbookRefusalsExitOne) {
    EXPECT_EQ(Run("wordbook rename nonsensewords other"), 1);
    EXPECT_NE(err.find("Selected wordbook can't be renamed"), std::string::npos);
    EXPECT_EQ(Run("wordbook delete velnarphrases"), 1);
    EXPECT_NE(err.find("Selected wordbook can't be deleted"), std::string::npos);
    EXPECT_EQ(Run("wordbook delete unknown"), 1);
    EXPECT_NE(err.find("No Wordbook has been selected"), std::string::npos);
    EXPECT_NE(err.find("no wordbook named \"unknown\""), std::string::npos);
    EXPECT_EQ(Run("wordbook rename unknown other"), 1);
    EXPECT_NE(err.find("no wordbook named \"unknown\""), std::string::npos);
    EXPECT_EQ(Run("wordbook sample velnarphrases"), 1);
    EXPECT_NE(err.find("holds no entries"), std::string::npos);
    EXPECT_EQ(Run("wordbook sample unknown"), 1);
    EXPECT_EQ(Run("wordbook create '" + (data / "missing.txt") + "'"), 1);
    EXPECT_EQ(Run("wordbook create '" + WriteFile("a.tx", "alpha\n") + "'"), 1);
    EXPECT_EQ(Run("wordbook"), 2);
}

TEST_F(CommandLineTest, WordbookCreateStoresShortLinesAndRefusesEmptyResults) {
    const std::string poem = WriteFile("poem.txt", "the sea is calm\ntonight\n\nthe tide is full\n");
    ASSERT_EQ(Run("wordbook create '" + poem + "'"), 0) << err;
    EXPECT_EQ(out, "poem\tpoem5\t3\n");
    EXPECT_EQ(Entries("poem5"), (std::vector<std::string>{"the sea is calm", "tonight", "the tide is full"}));

    const auto Unchanged = [this] {
        EXPECT_TRUE(out.empty()) << out;
        EXPECT_EQ(Column("SELECT BOOKNAME FROM wordbooks"),
                  (std::vector<std::string>{"nonsensewords", "velnarphrases", "poem"}));
    };
    EXPECT_EQ(Run("wordbook create --exclude-short '" + WriteFile("short.txt", "a bb cat\nhi\n") + "'"), 1);
    EXPECT_NE(err.find("no entries: "), std::string::npos) << err;
    Unchanged();

    const std::string pipe = data / "pipe.txt";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(Run("wordbook create '" + pipe + "'"), 1);  // returns: the pipe is never opened
    EXPECT_NE(err.find("not a regular file"), std::string::npos) << err;
    Unchanged();

    Execute("CREATE TRIGGER refuse BEFORE INSERT ON wordbooks BEGIN SELECT RAISE(ABORT, 'read-only'); END");
    EXPECT_EQ(Run("wordbook create '" + poem + "'"), 1);
    EXPECT_NE(err.find("read-only"), std::string::npos) << err;
    Unchanged();
}

TEST_F(CommandLineTest, WordbookRenameRefusesNamesThatCannotBeTold) {
    AddWordbook("mine", "mine5", {"word"});
    AddWordbook("twin", "twin6", {"a"});
    AddWordbook("twin", "twin7", {"b"});
    for (const char* name : {"''", "'  '", "'a\tb'", "velnarphrases", "twin"}) {
        EXPECT_EQ(Run(std::string("wordbook rename mine ") + name), 1) << name;
        EXPECT_TRUE(out.empty());
        EXPECT_FALSE(err.empty());
    }
    EXPECT_NE(err.find("already exists"), std::string::npos) << err;
    EXPECT_EQ(Run("wordbook rename twin other"), 1);
    EXPECT_NE(err.find("several wordbooks are named \"twin\""), std::string::npos) << err;
    EXPECT_EQ(Column("SELECT BOOKNAME FROM wordbooks"),
              (std::vector<std::string>{"nonsensewords", "velnarphrases", "mine", "twin", "twin"}));

    // The table names the one meant.
    EXPECT_EQ(Run("wordbook sample twin --seed 1"), 1);
    ASSERT_EQ(Run("wordbook sample twin7 --seed 1"), 0) << err;
    EXPECT_EQ(wordstest::SplitSpaces(out), std::vector<std::string>(300, "b"));
    ASSERT_EQ(Run("wordbook rename twin7 other"), 0) << err;
    ASSERT_EQ(Run("wordbook delete twin"), 0) << err;
    EXPECT_EQ(Column("SELECT TABLENAME FROM wordbooks"),
              (std::vector<std::string>{"nonsensewords1", "velnarphrases4", "mine5", "twin7"}));
}

// A load killed outright leaves a sound database holding a prefix of the
// entries the file gives.
TEST_F(CommandLineTest, AKilledLoadLeavesAnIntactPrefix) {
    std::string big;
    for (int i = 0; i < 600000; ++i) big += "entry" + std::to_string(i) + "\n";
    const std::string file = WriteFile("huge.txt", big);
    const std::string exe = TARVEX4_EXE;
    const std::string dataFolder = data.path();
    const pid_t pid = StartAndWaitForEntries({exe, "wordbook", "create", file, "--data", dataFolder}, "huge5");
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);

    SqlDatabase db;
    db.Open(DatabasePath());
    EXPECT_EQ(std::string(db.Query("PRAGMA integrity_check").FieldText(0)), "ok");
    const std::vector<std::string> entries = Entries("huge5");
    EXPECT_GT(entries.size(), 0u);
    for (std::size_t i = 0; i < entries.size(); ++i) ASSERT_EQ(entries[i], "entry" + std::to_string(i));
}

// Ctrl+C keeps what was stored, says how much, and exits as interrupted.
TEST_F(CommandLineTest, CtrlCKeepsTheEntriesAndExits130) {
    std::string big;
    for (int i = 0; i < 3000000; ++i) big += "entry" + std::to_string(i) + "\n";
    const std::string file = WriteFile("huge.txt", big);
    const std::string command = std::string("exec '") + TARVEX4_EXE + "' wordbook create '" + file + "' --data '" +
                                data.path() + "' > '" + (data / "out.txt") + "' 2> '" + (data / "err.txt") + "'";
    const pid_t pid = StartAndWaitForEntries({"/bin/sh", "-c", command}, "huge5");
    kill(pid, SIGINT);
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 130);
    const std::string kept = std::to_string(Entries("huge5").size());
    EXPECT_LT(Entries("huge5").size(), 3000000u);
    EXPECT_EQ(ReadFile(data / "out.txt"), "huge\thuge5\t" + kept + "\n");
    EXPECT_NE(ReadFile(data / "err.txt").find("interrupted; " + kept + " entries kept"), std::string::npos)
        << ReadFile(data / "err.txt");
}

}  // namespace
