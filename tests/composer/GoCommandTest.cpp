// tarvex4 go, run as a program.
#include "CollageFixture.h"

#include <array>
#include <cstdio>
#include <sys/wait.h>

using namespace fixture;

namespace {

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs tarvex4 with `arguments` (already quoted for the shell).
ProgramRun Tarvex4(const std::string& arguments, const fs::path& work) {
    const fs::path err = work / "stderr.txt";
    const std::string command = "TARVEX4_NO_OPEN=1 ASAN_OPTIONS=detect_leaks=0 '" + std::string(TARVEX4_EXE) +
                                "' " + arguments + " 2>'" + err.string() + "'";
    ProgramRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buffer{};
    size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.out.append(buffer.data(), got);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = ReadFile(err);
    return run;
}

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

}  // namespace

TEST_F(CollageTest, GoWritesTheSamePageForTheSameSeed) {
    AddPicture("lib.gif", 50, 60);
    WriteFile(root / "main.txt", "first line of main\nx\nsecond line here\n");
    WriteFile(root / "track.txt", "track words to cut up\n");
    const std::string common = "go --data " + Quoted(dataFolder) + " --out " + Quoted((root / "o").string()) +
                               " --main " + Quoted((root / "main.txt").string()) + " --track " +
                               Quoted("3=" + (root / "track.txt").string()) +
                               " --fader 3=200 --style 'Ransom Note' --track-style 3=1 --words 3 --track-words 3=2"
                               " --text-volume 30 --image-volume 4 --landscape --no-capture --seed 42";
    ProgramRun first = Tarvex4(common, root);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, (root / "o/collage1.html").string() + "\n");
    const std::string page = ReadFile(root / "o/collage1.html");
    ProgramRun second = Tarvex4(common + " --name again.html", root);
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(ReadFile(root / "o/again.html"), page);

    EXPECT_EQ(page.find("doCanvas"), std::string::npos);
    EXPECT_NE(page.find("artfonts/ransomnote/"), std::string::npos);
    EXPECT_NE(page.find("SRC='lib.gif'"), std::string::npos);
    // Track 3 is the only source with "Plain - NO BG".
    int fromTrack3 = 0;
    for (const Item& item : ItemsOf(page)) {
        fromTrack3 += item.background == "background:transparent;" && item.body.rfind("<font face=", 0) == 0;
    }
    EXPECT_GT(fromTrack3, 0);
    EXPECT_TRUE(fs::exists(root / "o/artfonts/wz_dragdrop.js"));
}

TEST_F(CollageTest, GoRejectsBadValuesWithStatus2) {
    const std::string base = "go --data " + Quoted(dataFolder) + " --out " + Quoted((root / "o").string()) + " ";
    for (const char* bad : {"--fader 5=10", "--fader 1=201", "--fader 1", "--style Plain", "--track-words 1=7",
                            "--image-volume -1", "--seed x", "--no-such-option", "--track 2=/no/such/file.txt"}) {
        ProgramRun run = Tarvex4(base + bad, root);
        EXPECT_EQ(run.status, 2) << bad << ": " << run.err;
        EXPECT_FALSE(run.err.empty()) << bad;
        EXPECT_FALSE(fs::exists(root / "o/collage1.html")) << bad;
    }
}

TEST_F(CollageTest, GoReportsDatabaseFailureWithStatus1) {
    Sql("DROP TABLE categoryselections");
    ProgramRun run = Tarvex4("go --data " + Quoted(dataFolder) + " --out " + Quoted((root / "o").string()) + " --seed 1",
                      root);
    EXPECT_EQ(run.status, 1);
    // Found before the run: the file and the missing table are named.
    EXPECT_NE(run.err.find(dataFolder + "/words6.db"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("categoryselections"), std::string::npos) << run.err;
}

TEST_F(CollageTest, GoHelpListsEveryOption) {
    ProgramRun run = Tarvex4("go --help", root);
    ASSERT_EQ(run.status, 0);
    for (const char* option : {"--seed", "--main", "--track", "--track-off", "--fader", "--style", "--track-style",
                               "--words", "--track-words", "--whole", "--no-main", "--text-volume",
                               "--image-volume", "--landscape", "--no-capture", "--text-under-images", "--folder",
                               "--out", "--name", "--data", "--open"}) {
        EXPECT_NE(run.out.find(option), std::string::npos) << option;
    }
}
