// SPDX-License-Identifier: GPL-3.0-or-later
// tarvex4 go with sessions, run as the program.
#include "ProgramRun.h"
#include "SessionFixture.h"

#include <sys/stat.h>

#include <cstdio>
#include <functional>

#include <nlohmann/json.hpp>

using namespace sessiontest;

namespace {

class GoSessionTest : public SessionTest {
protected:
    // tarvex4 go --data <data> <arguments>
    ProgramRun Go(const std::string& arguments) {
        return RunTarvex4("go --data " + Quoted(data) + " " + arguments, scratch.path());
    }

    // A session saved by a run with texts and settings off their defaults.
    std::string SavedSession(const std::string& seed) {
        WriteFile(scratch / "main.txt", "Grüße aus Köln und anderswo\nzweite Zeile mit Wörtern\n");
        WriteFile(scratch / "track.txt", "ŝnipoj de la tria trako\n");
        const std::string path = scratch / "run.vantelo";
        ProgramRun run =
            Go("--main " + Quoted(scratch / "main.txt") + " --track " + Quoted("3=" + scratch / "track.txt") +
               " --fader 3=180 --style 1 --track-style 3=1 --words 3 --text-volume 30 --image-volume 4"
               " --landscape --no-capture --out " +
               Quoted(output) + " --name party.html --seed " + seed + " --save-session " + Quoted(path));
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, output + "party.html\n");
        return path;
    }
};

}  // namespace

TEST_F(GoSessionTest, SeedLastGivesTheSavedRunsPageAgain) {
    const std::string session = SavedSession("777");
    const std::string page = ReadFile(output + "party.html");
    ASSERT_TRUE(HasAnyOf(page, {"Grüße", "Köln", "Wörtern", "ŝnipoj", "tria"}));
    const nlohmann::json saved = nlohmann::json::parse(ReadFile(session));
    EXPECT_EQ(saved["lastSeed"], 777);
    EXPECT_EQ(saved["tracks"][2]["fader"], 180);
    EXPECT_EQ(saved["tracks"][2]["on"], true);
    EXPECT_EQ(saved["tracks"][2]["windowOpen"], true);
    EXPECT_EQ(saved["output"]["fileName"], "party.html");
    std::filesystem::remove(output + "party.html");

    ProgramRun again = Go("--session " + Quoted(session) + " --seed last");
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.out, output + "party.html\n") << "the session's output location";
    EXPECT_EQ(ReadFile(output + "party.html"), page);

    // Other options change the session's settings.
    ProgramRun changed = Go("--session " + Quoted(session) + " --seed last --style 2 --name stamps.html");
    ASSERT_EQ(changed.status, 0) << changed.err;
    EXPECT_NE(ReadFile(output + "stamps.html").find("artfonts/stampkit/"), std::string::npos);
    EXPECT_EQ(page.find("artfonts/stampkit/"), std::string::npos);
}

TEST_F(GoSessionTest, CountWritesNumberedPagesFromConsecutiveSeeds) {
    const std::string session = SavedSession("50");
    ProgramRun run = Go("--session " + Quoted(session) + " --count 3 --seed 100");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, output + "party1.html\n" + output + "party2.html\n" + output + "party3.html\n");
    ProgramRun single = Go("--session " + Quoted(session) + " --seed 101 --name single.html");
    ASSERT_EQ(single.status, 0) << single.err;
    EXPECT_EQ(ReadFile(output + "party2.html"), ReadFile(output + "single.html"));
    EXPECT_NE(ReadFile(output + "party1.html"), ReadFile(output + "party2.html"));

    // The default name counts from collage1.html; the session saved is the last page's.
    const std::string last = scratch / "last.vantelo";
    run = Go("--count 2 --seed 7 --out " + Quoted(scratch / "plain") + " --save-session " + Quoted(last));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, scratch / "plain/collage1.html\n" + scratch / "plain/collage2.html\n");
    const nlohmann::json saved = nlohmann::json::parse(ReadFile(last));
    EXPECT_EQ(saved["lastSeed"], 8);
    EXPECT_EQ(saved["output"]["fileName"], "collage1.html");
}

// A session file that cannot be read fails the run (1); a bad option is a
// usage error (2).
TEST_F(GoSessionTest, BadSessionsFailAndBadSeedsAreUsageErrors) {
    const std::string newer = scratch / "newer.vantelo";
    WriteFile(newer, R"({"format":"vantelo-session","version":99})");
    const std::string unseeded = scratch / "unseeded.vantelo";
    WriteFile(unseeded, R"({"format":"vantelo-session","version":1})");
    const struct {
        std::string arguments;
        const char* message;
        int status;
    } cases[] = {
        {"--session " + Quoted(scratch / "none.vantelo"), "No such file or directory", 1},
        {"--session " + Quoted(newer), "newer version", 1},
        {"--seed last", "'last' needs --session FILE", 2},
        {"--session " + Quoted(unseeded) + " --seed last", "the session holds no seed", 2},
        {"--seed 4294967296", "is not a number from 0 to 4294967295 or 'last'", 2},
        {"--count 0", "--count", 2},
    };
    for (const auto& c : cases) {
        ProgramRun run = Go(c.arguments + " --out " + Quoted(output));
        EXPECT_EQ(run.status, c.status) << c.arguments << ": " << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.arguments << ": " << run.err;
        EXPECT_FALSE(std::filesystem::exists(output + "collage1.html")) << c.arguments;
    }
}

TEST_F(GoSessionTest, AnUnwritableSessionFailsTheRunWithStatus1) {
    std::filesystem::create_directories(scratch / "dir.vantelo");
    ProgramRun run = Go("--seed 1 --out " + Quoted(output) + " --save-session " + Quoted(scratch / "dir.vantelo"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Cannot save the session"), std::string::npos) << run.err;
}

namespace {

// As RunTarvex4, but the program is killed after 30 s: a run that waits on a
// pipe fails the test instead of hanging it.
ProgramRun RunWithin30s(const std::string& arguments, const std::string& work) {
    const std::string err = work + "/stderr-within.txt";
    const std::string command = "TARVEX4_NO_OPEN=1 ASAN_OPTIONS=detect_leaks=0 exec timeout -s KILL 30 " +
                                Quoted(TARVEX4_EXE) + " " + arguments + " 2>" + Quoted(err) + " </dev/null";
    ProgramRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, got);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = ReadFile(err);
    return run;
}

}  // namespace

// A session is data from anywhere: whatever it holds, it is refused with the
// field or the place named and status 1, never an abort, and no page is written.
TEST_F(GoSessionTest, HostileSessionsAreRefusedByFieldOrPlace) {
    MainFormState form;
    const nlohmann::json good = nlohmann::json::parse(SessionToJson(CaptureSession(form, {})));
    const std::string goodText = good.dump();
    auto with = [&](const std::function<void(nlohmann::json&)>& change) {
        nlohmann::json json = good;
        change(json);
        return json.dump();
    };
    std::string nested = "1";
    for (int i = 0; i < 100; ++i) nested = "[" + nested + "]";
    const struct {
        const char* name;
        std::string text;
        const char* reason;
    } cases[] = {
        // nlohmann reads the number into a double and throws out_of_range.
        {"huge number", R"({"format":"vantelo-session","version":2,"volumes":{"text":1e999}})",
         "a number too large to read (1e999 at byte 59)"},
        {"deep", goodText.substr(0, goodText.size() - 1) + ",\"comment\":" + nested + "}",
         "nests deeper than 64 levels"},
        {"wrong type", with([](nlohmann::json& j) { j["tracks"][1]["on"] = "yes"; }),
         "tracks[1].on is not true or false"},
        {"not an object", with([](nlohmann::json& j) { j["orientation"] = 3; }), "orientation is not an object"},
        {"program name", with([](nlohmann::json& j) { j["output"]["fileName"] = "x.exe"; }),
         "output.fileName does not end in .html or .htm"},
        {"no extension", with([](nlohmann::json& j) { j["output"]["fileName"] = "passwd"; }),
         "output.fileName does not end in .html or .htm"},
        {"path", with([](nlohmann::json& j) { j["output"]["fileName"] = "../../etc/passwd"; }),
         "output.fileName is not a file name"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            SessionFromJson(c.text);
            ADD_FAILURE() << "read";
        } catch (const SessionError& e) {
            EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
        }
        const std::string path = scratch / (std::string(c.name) + ".vantelo");
        WriteFile(path, c.text);
        const ProgramRun run = Go("--session " + Quoted(path) + " --out " + Quoted(output));
        EXPECT_EQ(run.status, 1) << run.err;
        EXPECT_NE(run.err.find("Cannot open the session " + path + ": "), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
        EXPECT_TRUE(std::filesystem::is_empty(output)) << "nothing written";
    }
    // Upper case is a page name too.
    EXPECT_EQ(SessionFromJson(with([](nlohmann::json& j) { j["output"]["fileName"] = "Night.HTM"; })).outputFileName,
              "Night.HTM");
}

// A session, a main text or a track file that is a pipe (no writer: opening
// it for reading would wait for ever) or a folder is refused at once.
TEST_F(GoSessionTest, InputsThatAreNotFilesAreRefusedAtOnce) {
    const std::string pipe = scratch / "pipe.vantelo";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string folder = scratch / "folder.vantelo";
    std::filesystem::create_directory(folder);
    const std::string base = "go --data " + Quoted(data) + " --seed 1 --out " + Quoted(output) + " ";
    const struct {
        std::string arguments;
        const char* reason;
    } cases[] = {
        {"--session " + Quoted(pipe), "pipe"},
        {"--session " + Quoted(folder), "it is a folder"},
        {"--main " + Quoted(pipe), "pipe"},
        {"--track " + Quoted("2=" + pipe), "pipe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const ProgramRun run = RunWithin30s(base + c.arguments, scratch.path());
        EXPECT_EQ(run.status, 1) << run.err;
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(c.arguments.find("folder") != std::string::npos ? folder : pipe), std::string::npos)
            << "the file is named: " << run.err;
        EXPECT_FALSE(std::filesystem::exists(output + "collage1.html"));
    }
}
