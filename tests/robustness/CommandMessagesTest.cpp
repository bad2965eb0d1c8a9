// SPDX-License-Identifier: GPL-3.0-or-later
// What the command line says when something is wrong: a broken words
// database named with its fix, output that cannot be written, mistyped
// sub-commands, bad session files and names, folders that are gone.
#include <gtest/gtest.h>

#include "Robustness.h"
#include "db/WordsDbCheck.h"
#include "form/MainFormState.h"
#include "session/Session.h"

#include <set>

#include <nlohmann/json.hpp>

using namespace robust;

namespace {

class CommandMessages : public ::testing::Test {
protected:
    void SetUp() override {
        CreateWordsDatabase(data, scratch / "pages/");
        AddArtFonts(data);
        WriteFile(scratch / "book.txt", "one two three four five six seven eight nine ten eleven\n");
        fs::create_directories(scratch / "gifs");
        WriteFile(scratch / "gifs/x.gif", "GIF89a");
    }
    ProgramRun Run(const std::string& arguments) { return Tarvex4(arguments, scratch.path()); }
    std::string Data() const { return " --data " + Quoted(data); }

    ScratchFolder scratch;
    std::string data = scratch / "data";
};

}  // namespace

TEST_F(CommandMessages, EveryCommandNamesABrokenDatabaseAndItsFix) {
    const std::string db = wordsdb::DatabasePath(data);
    const std::vector<std::string> commands = {
        "wordbook list",
        "wordbook create " + Quoted(scratch / "book.txt"),
        "images list",
        "images select --none",
        "images import " + Quoted(scratch / "gifs") + " --category one",
        "author 'Milton, John'",
        "fill",
        "go --seed 1",
    };
    for (const std::string& content : {std::string(), std::string(6000, 'g')}) {
        WriteFile(db, content);
        for (const std::string& command : commands) {
            SCOPED_TRACE(command + (content.empty() ? " (0 bytes)" : " (garbage)"));
            const ProgramRun run = Run(command + Data());
            EXPECT_EQ(run.status, 1);
            EXPECT_NE(run.err.find(db), std::string::npos) << run.err;
            EXPECT_NE(run.err.find("tarvex4 data restore --data " + data), std::string::npos) << run.err;
            EXPECT_EQ(run.err.find("SQLITE_"), std::string::npos) << run.err;
            EXPECT_EQ(run.out, "");
        }
        EXPECT_EQ(ReadFile(db), content) << "nothing is written into the broken file";
    }
}

TEST_F(CommandMessages, OutputThatCannotBeWrittenFailsTheCommand) {
    ASSERT_EQ(Run("wordbook create " + Quoted(scratch / "book.txt") + Data()).status, 0) << "a book to list";
    const std::vector<std::string> commands = {
        "--version",
        "--help",
        "go --help",
        "author --list",
        "images list" + Data(),
        "wordbook list" + Data(),
        "data check" + Data(),
        "go --seed 3" + Data(),
    };
    for (const std::string& command : commands) {
        SCOPED_TRACE(command);
        EXPECT_EQ(Run(command).status, 0) << "the command itself is fine";
        const ProgramRun full = Run(command + " >/dev/full");
        EXPECT_EQ(full.status, 1);
        EXPECT_NE(full.err.find("cannot write the output"), std::string::npos) << full.err;
    }
}

TEST_F(CommandMessages, MistypedSubCommandsAndUnknownNamesAreNamed) {
    const struct {
        const char* typed;
        const char* closest;
    } typos[] = {{"wordbook lst", "list"}, {"data chek", "check"}, {"images imprt", "import"}};
    for (const auto& typo : typos) {
        SCOPED_TRACE(typo.typed);
        const ProgramRun run = Run(typo.typed);
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find(std::string("the closest is \"") + typo.closest + "\""), std::string::npos) << run.err;
    }
    const ProgramRun nope = Run("images import " + Quoted(scratch / "gifs") + " --category Nope" + Data());
    EXPECT_EQ(nope.status, 1);
    EXPECT_NE(nope.err.find("\"Nope\""), std::string::npos) << nope.err;
}

TEST_F(CommandMessages, GoCreatesMissingOutputFoldersAndNamesOneItCannotMake) {
    // The stored folder (from the database) is gone.
    ProgramRun stored = Run("go --seed 1" + Data());
    ASSERT_EQ(stored.status, 0) << stored.err;
    EXPECT_TRUE(fs::is_regular_file(scratch / "pages/collage1.html"));

    // A session's saved folder is gone.
    const std::string session = scratch / "s.vantelo";
    ASSERT_EQ(
        Run("go --seed 1 --out " + Quoted(scratch / "saved") + " --save-session " + Quoted(session) + Data()).status,
        0);
    fs::remove_all(scratch / "saved");
    ProgramRun again = Run("go --session " + Quoted(session) + Data());
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_TRUE(fs::is_regular_file(scratch / "saved/collage1.html"));

    // A folder that cannot be made is named, not a picture in it.
    WriteFile(scratch / "blocker", "a file");
    fs::remove_all(scratch / "pages");
    fs::create_symlink(scratch / "blocker", scratch / "pages");
    ProgramRun blocked = Run("go --seed 1" + Data());
    EXPECT_EQ(blocked.status, 1);
    EXPECT_NE(blocked.err.find("Cannot create the folder " + (scratch / "pages/")), std::string::npos) << blocked.err;
    EXPECT_EQ(blocked.err.find(".gif"), std::string::npos) << blocked.err;
}

TEST_F(CommandMessages, APageNameIsNeverAPath) {
    fs::create_directories(scratch / "deep/out");
    for (const char* name : {"../../x.html", "sub/x.html", "..", "."}) {
        SCOPED_TRACE(name);
        const ProgramRun run =
            Run("go --seed 1 --out " + Quoted(scratch / "deep/out") + " --name " + Quoted(name) + Data());
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find("--name"), std::string::npos) << run.err;
    }
    EXPECT_FALSE(fs::exists(scratch / "x.html"));
    EXPECT_EQ(Entries(scratch / "deep/out"), std::vector<std::string>{});
}

TEST_F(CommandMessages, SessionErrorsUseTheFilesOwnIndexAndFail) {
    MainFormState form;
    Session session = CaptureSession(form, {});
    nlohmann::json json = nlohmann::json::parse(SessionToJson(session));
    // The second track of the file (index 1) gets a bad fader.
    json["tracks"][1]["fader"] = 999;
    WriteFile(scratch / "bad.vantelo", json.dump());
    const ProgramRun run = Run("go --session " + Quoted(scratch / "bad.vantelo") + Data());
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("tracks[1].fader"), std::string::npos) << run.err;
}

// Two runs without --seed in the same second draw different pages; the seed
// is still one number, and --seed with it gives the page again.
TEST_F(CommandMessages, TheDefaultSeedChangesWithinASecond) {
    std::set<std::string> pages;
    std::set<std::uint32_t> seeds;
    for (int i = 0; i < 3; ++i) {
        const std::string session = scratch / ("run" + std::to_string(i) + ".vantelo");
        const ProgramRun run = Run("go --out " + Quoted(scratch / ("o" + std::to_string(i))) + " --save-session " +
                                   Quoted(session) + Data());
        ASSERT_EQ(run.status, 0) << run.err;
        pages.insert(ReadFile(scratch / ("o" + std::to_string(i) + "/collage1.html")));
        const Session saved = ReadSessionFile(session);
        ASSERT_TRUE(saved.lastSeed.has_value());
        seeds.insert(*saved.lastSeed);
    }
    EXPECT_EQ(seeds.size(), 3u);
    EXPECT_EQ(pages.size(), 3u);
}
