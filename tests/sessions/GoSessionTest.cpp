// tarvex4 go with sessions, run as the program.
#include "ProgramRun.h"
#include "SessionFixture.h"

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
        ProgramRun run = Go("--main " + Quoted(scratch / "main.txt") + " --track " +
                            Quoted("3=" + scratch / "track.txt") +
                            " --fader 3=180 --style 1 --track-style 3=1 --words 3 --text-volume 30 --image-volume 4"
                            " --landscape --no-capture --out " + Quoted(output) + " --name party.html --seed " + seed +
                            " --save-session " + Quoted(path));
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
