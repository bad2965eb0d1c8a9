// SPDX-License-Identifier: GPL-3.0-or-later
// tarvex4 go, run as a program.
#include "CollageFixture.h"
#include "ProgramRun.h"
#include "support/ConsoleUserInterface.h"

#include <sys/stat.h>

#include <set>

using namespace fixture;

class GoCommand : public CollageTest {};

TEST_F(GoCommand, GoWritesTheSamePageForTheSameSeed) {
    AddPicture("lib.gif", 50, 60);
    WriteFile(root / "main.txt", "first line of main\nx\nsecond line here\n");
    WriteFile(root / "track.txt", "track words to cut up\n");
    const std::string common = "go --data " + Quoted(dataFolder) + " --out " + Quoted((root / "o").string()) +
                               " --main " + Quoted((root / "main.txt").string()) + " --track " +
                               Quoted("3=" + (root / "track.txt").string()) +
                               " --fader 3=200 --style 'Ransom Note' --track-style 3=1 --words 3 --track-words 3=2"
                               " --text-volume 30 --image-volume 4 --landscape --no-capture --seed 42";
    ProgramRun first = RunTarvex4(common, root);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, (root / "o/collage1.html").string() + "\n");
    const std::string page = ReadFile(root / "o/collage1.html");
    ProgramRun second = RunTarvex4(common + " --name again.html", root);
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

TEST_F(GoCommand, GoStartsTheFormAsTheWindowDoesWithTheSavedFontAndStoredFolder) {
    // The saved font is the empty main text's font, as in a window just opened.
    WriteFile(root / "data/fdefaults.txt", "DejaVu Serif|400");
    Sql("UPDATE collagesettings SET OUTPUTFOLDER = " + wordsdb::Literal(outputFolder));
    ProgramRun run = RunTarvex4("go --data " + Quoted(dataFolder) + " --seed 7", root);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, outputFolder + "collage1.html\n");
    const std::string page = Page();
    EXPECT_NE(page.find("<font face='DejaVu Serif' color='#000000'><span style='font-size:20pt;'>"), std::string::npos)
        << page;
    EXPECT_EQ(page.find("font-size:12pt"), std::string::npos);
}

TEST_F(GoCommand, GoRejectsBadValuesWithStatus2) {
    const std::string base = "go --data " + Quoted(dataFolder) + " --out " + Quoted((root / "o").string()) + " ";
    for (const char* bad :
         {"--fader 5=10", "--fader 1=201", "--fader 1", "--style Plain", "--track-words 1=7", "--image-volume -1",
          "--seed x", "--no-such-option", "--name notes.txt", "--paper A4", "--scale 2 --pdf p.pdf"}) {
        ProgramRun run = RunTarvex4(base + bad, root);
        EXPECT_EQ(run.status, 2) << bad << ": " << run.err;
        EXPECT_FALSE(run.err.empty()) << bad;
        EXPECT_FALSE(fs::exists(root / "o/collage1.html")) << bad;
    }
}

TEST_F(GoCommand, GoReportsDatabaseFailureWithStatus1) {
    Sql("DROP TABLE categoryselections");
    ProgramRun run =
        RunTarvex4("go --data " + Quoted(dataFolder) + " --out " + Quoted((root / "o").string()) + " --seed 1", root);
    EXPECT_EQ(run.status, 1);
    // Found before the run: the file and the missing table are named.
    EXPECT_NE(run.err.find(dataFolder + "/words6.db"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("categoryselections"), std::string::npos) << run.err;
}

TEST_F(GoCommand, GoHelpListsEveryOption) {
    ProgramRun run = RunTarvex4("go --help", root);
    ASSERT_EQ(run.status, 0);
    for (const char* option : {"--seed",         "--main",      "--track",       "--track-off",
                               "--fader",        "--style",     "--track-style", "--words",
                               "--track-words",  "--whole",     "--no-main",     "--text-volume",
                               "--image-volume", "--landscape", "--no-capture",  "--text-under-images",
                               "--folder",       "--out",       "--name",        "--data",
                               "--open",         "--text",      "--provenance",  "--mark-sources",
                               "--report"}) {
        EXPECT_NE(run.out.find(option), std::string::npos) << option;
    }
    EXPECT_NE(run.out.find("TARVEX4_NO_OPEN"), std::string::npos);
    ProgramRun top = RunTarvex4("--help", root);
    ASSERT_EQ(top.status, 0);
    for (const char* setting : {"TARVEX4_NO_OPEN", "VANTELO_HOME"})
        EXPECT_NE(top.out.find(setting), std::string::npos) << setting;
}

// GO replaces only a page it wrote: any other file of the page's name is
// kept, and the page goes to the next free number beside it. The page that
// was written is the one --png draws and the one printed.
TEST_F(GoCommand, GoKeepsAFileOfThePagesNameThatItDidNotWrite) {
    const std::string base = "go --data " + Quoted(dataFolder) + " --out " + Quoted(outputFolder);
    const std::string letter = "<html><body>my own letter, not a collage</body></html>\n";
    WriteFile(outputFolder + "collage1.html", letter);
    WriteFile(outputFolder + "collage2.html", letter);
    ProgramRun run = RunTarvex4(base + " --seed 3", root);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile(outputFolder + "collage1.html"), letter);
    EXPECT_EQ(ReadFile(outputFolder + "collage2.html"), letter);
    EXPECT_EQ(run.out, outputFolder + "collage3.html\n");
    EXPECT_NE(run.err.find(outputFolder + "collage1.html is not a page tarvex4 wrote"), std::string::npos) << run.err;
    const std::string page = ReadFile(outputFolder + "collage3.html");
    EXPECT_NE(page.find("pagecontainer"), std::string::npos);

    // A page of its own is replaced as before, without a word.
    run = RunTarvex4(base + " --name collage3.html --seed 4", root);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, outputFolder + "collage3.html\n");
    EXPECT_TRUE(run.err.empty()) << run.err;
    EXPECT_NE(ReadFile(outputFolder + "collage3.html"), page);
    EXPECT_FALSE(fs::exists(outputFolder + "collage4.html"));

    // A folder or a pipe of the name is not read, nor waited on.
    fs::create_directory(outputFolder + "dir.html");
    ASSERT_EQ(::mkfifo((outputFolder + "pipe.html").c_str(), 0600), 0);
    for (auto [name, written] : {std::pair{"dir.html", "dir2.html"}, std::pair{"pipe.html", "pipe2.html"}}) {
        run = RunTarvex4(base + " --name " + name, root);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, outputFolder + written + "\n");
    }
    EXPECT_TRUE(fs::is_directory(outputFolder + "dir.html"));
    EXPECT_TRUE(fs::is_fifo(outputFolder + "pipe.html"));
}

// --text and --save-session never write over a file the run reads; nothing
// is written then, and both files are named.
TEST_F(GoCommand, AnOutputNamingAnInputIsRefused) {
    const std::string mainText = "main words of the evening\n";
    WriteFile(root / "main.txt", mainText);
    WriteFile(root / "track.txt", "track words\n");
    fs::create_symlink(root / "main.txt", root / "link.txt");
    const std::string base = "go --data " + Quoted(dataFolder) + " --out " + Quoted(outputFolder) +
                             " --seed 3 --main " + Quoted((root / "main.txt").string()) + " --track " +
                             Quoted("2=" + (root / "track.txt").string()) + " ";
    const struct {
        std::string output;
        std::string input;
    } cases[] = {
        {"--text " + Quoted((root / "main.txt").string()), (root / "main.txt").string()},
        {"--text " + Quoted((root / "link.txt").string()), (root / "main.txt").string()},
        {"--text " + Quoted((root / "o/../track.txt").string()), (root / "track.txt").string()},
        {"--save-session " + Quoted((root / "main.txt").string()), (root / "main.txt").string()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.output);
        const ProgramRun run = RunTarvex4(base + c.output, root);
        EXPECT_EQ(run.status, 1) << run.err;
        EXPECT_NE(run.err.find("would write over"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(c.input), std::string::npos) << run.err;
        EXPECT_EQ(ReadFile(root / "main.txt"), mainText);
        EXPECT_EQ(ReadFile(root / "track.txt"), "track words\n");
        EXPECT_FALSE(fs::exists(outputFolder + "collage1.html"));
    }
}

// --open hands the browser a file:// URL: a folder named "https:" must not
// make the page's path a web address.
TEST(FileUrl, IsAbsoluteAndPercentEncoded) {
    EXPECT_EQ(FileUrl("/tmp/https:/evil.example/x.html"), "file:///tmp/https%3A/evil.example/x.html");
    EXPECT_EQ(FileUrl("/home/a b/Köln #1?%.html"), "file:///home/a%20b/K%C3%B6ln%20%231%3F%25.html");
    const std::string relative = FileUrl("https://evil.example/page.html");
    EXPECT_EQ(relative, "file://" + fs::current_path().string() + "/https%3A//evil.example/page.html");
}

// go --around: the kept items of a page stay to the byte in a new page beside
// it; the page itself and the other pages are left as they were.
TEST_F(GoCommand, GoAroundKeepsTheNamedItemsInANewPageBesideThePage) {
    AddPicture("lib.gif", 50, 60);
    AddPicture("two.gif", 70, 30, "second picture");
    WriteFile(root / "main.txt", "first line of main\nsecond line here\nand a third one to cut\n");
    const std::string folder = (root / "o").string();
    const std::string common = "go --data " + Quoted(dataFolder) + " --main " + Quoted((root / "main.txt").string()) +
                               " --text-volume 10 --image-volume 3";
    ASSERT_EQ(RunTarvex4(common + " --out " + Quoted(folder) + " --seed 5", root).status, 0);
    const std::string page = folder + "/collage1.html";
    const std::string first = ReadFile(page);
    const std::vector<Item> before = ItemsOf(first);
    const auto body = [](const std::vector<Item>& items, const std::string& id) {
        for (const Item& item : items)
            if (item.id == id) return item.body + "@" + std::to_string(item.left) + "," + std::to_string(item.top);
        return std::string("(none)");
    };

    // An id the page does not have is a usage error, named; nothing is written.
    ProgramRun unknown =
        RunTarvex4(common + " --around " + Quoted(page) + " --keep dpagetextitem2,dpagetextitem77~", root);
    EXPECT_EQ(unknown.status, 2) << unknown.err;
    EXPECT_NE(unknown.err.find("dpagetextitem77~"), std::string::npos) << unknown.err;
    EXPECT_EQ(unknown.err.find("dpagetextitem2,"), std::string::npos) << unknown.err;
    EXPECT_FALSE(fs::exists(folder + "/collage2.html"));
    EXPECT_EQ(RunTarvex4(common + " --keep dpagetextitem2", root).status, 2) << "--keep without --around";

    ProgramRun around = RunTarvex4(
        common + " --around " + Quoted(page) + " --keep dpagetextitem2,dpageimageitem0~ --seed 6 --text -", root);
    ASSERT_EQ(around.status, 0) << around.err;
    // With the words on standard output, the page is named on the error stream.
    EXPECT_NE(around.err.find(folder + "/collage2.html\n"), std::string::npos) << around.err;
    EXPECT_EQ(ReadFile(page), first) << "the page drawn around was changed";
    const std::string next = ReadFile(folder + "/collage2.html");
    const std::vector<Item> after = ItemsOf(next);
    for (const char* id : {"dpagetextitem2~", "dpageimageitem0~"}) EXPECT_EQ(body(after, id), body(before, id)) << id;
    EXPECT_NE(next, first);
    // Drawn anew: the same settings with their own seed give other snips.
    int same = 0;
    for (const Item& item : after) same += body(after, item.id) == body(before, item.id);
    EXPECT_LT(same, static_cast<int>(after.size()));
    // The page drags every item, once.
    std::set<std::string> ids;
    for (const Item& item : after) {
        EXPECT_TRUE(ids.insert(item.id).second) << item.id;
        EXPECT_NE(next.find("'" + item.id + "',"), std::string::npos) << item.id;
    }
    // --text answers for the new page.
    EXPECT_NE(around.out.find('\n'), around.out.size() - 1) << "no cut-up text on standard output";
}
