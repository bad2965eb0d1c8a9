// SPDX-License-Identifier: GPL-3.0-or-later
// tarvex4 as the user runs it: the sub-commands load no Qt library, no
// argument or a file argument reaches the window program, a mistyped
// sub-command is named as such.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "ProgramRun.h"
#include "ScratchFolder.h"
#include "cli/CliRegistry.h"
#include "cli/CommandSuggestion.h"
#include "page/CollageModel.h"
#include "richtext/RtfTextExtractor.h"
#include "TestFiles.h"

namespace fs = std::filesystem;

namespace {

class Tarvex4Program : public ::testing::Test {
protected:
    // Runs `program arguments` under `environment` (shell assignments),
    // with no display unless the environment names one; err holds the
    // dynamic loader's report when it is asked for.
    ProgramRun Start(const std::string& program, const std::string& arguments, const std::string& environment = "") {
        const fs::path out = fs::path(scratch.path()) / "stdout";
        const fs::path err = fs::path(scratch.path()) / "stderr";
        const std::string command =
            "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ASAN_OPTIONS=detect_leaks=0 " + environment + " " +
            Quoted(program) + " " + arguments + " </dev/null >" + Quoted(out.string()) + " 2>" + Quoted(err.string());
        const int raw = std::system(command.c_str());
        ProgramRun run;
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.out = ReadFile(out);
        run.err = ReadFile(err);
        return run;
    }
    ProgramRun Tarvex4(const std::string& arguments, const std::string& environment = "") {
        return Start(TARVEX4_EXE, arguments, environment);
    }
    // LD_DEBUG=libs makes the loader report every library it loads (also
    // later, by dlopen) on stderr.
    ProgramRun Tarvex4WatchingLibraries(const std::string& arguments) { return Tarvex4(arguments, "LD_DEBUG=libs"); }

    std::string File(const std::string& name, const std::string& text) {
        WriteFile(scratch / name, text);
        return scratch / name;
    }

    ScratchFolder scratch;
};

// What the program itself said, without the loader's report (lines "  pid:\t...").
std::string ProgramMessages(const std::string& err) {
    std::istringstream lines(err);
    std::string line;
    std::string kept;
    while (std::getline(lines, line)) {
        const std::size_t colon = line.find(':');
        const bool loader = colon != std::string::npos && colon > 0 && line.find_first_not_of(" 0123456789") == colon;
        if (!loader) kept += line + "\n";
    }
    return kept;
}

bool LoadsQt(const ProgramRun& run) { return run.err.find("libQt") != std::string::npos; }

TEST_F(Tarvex4Program, NoSubCommandLoadsQt) {
    for (const char* arguments : {"--version", "--help"}) {
        const ProgramRun run = Tarvex4WatchingLibraries(arguments);
        EXPECT_EQ(run.status, 0) << arguments << "\n" << run.err;
        EXPECT_FALSE(LoadsQt(run)) << arguments;
    }
    const auto names = cli::CommandNames();
    ASSERT_GE(names.size(), 4u);
    for (const std::string& name : names) {
        const ProgramRun run = Tarvex4WatchingLibraries(name + " --help");
        EXPECT_EQ(run.status, 0) << name;
        EXPECT_NE(run.out.find(name), std::string::npos) << name;
        EXPECT_FALSE(LoadsQt(run)) << name;
    }
}

// The bare --version is answered before the parser is built; it must say
// what the parser says.
TEST_F(Tarvex4Program, TheQuickVersionAnswerIsTheParsersAnswer) {
    const ProgramRun quick = Tarvex4("--version");
    const ProgramRun parsed = Tarvex4("--version go");
    EXPECT_EQ(quick.status, 0);
    EXPECT_EQ(parsed.status, 0);
    EXPECT_EQ(quick.out, parsed.out);
    EXPECT_EQ(quick.out.rfind("VANTELO  Version 1.2\ntarvex4 ", 0), 0u) << quick.out;
    EXPECT_NE(quick.out.find("GPL-3.0-or-later"), std::string::npos) << quick.out;
}

TEST_F(Tarvex4Program, TheRichTextCommandsWorkWithoutQt) {
    const std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 one line of text\\par}";
    std::string expected;
    ASSERT_TRUE(ExtractPlainText(rtf, expected));
    const ProgramRun text = Tarvex4WatchingLibraries("rtf2text " + Quoted(File("one.rtf", rtf)));
    EXPECT_EQ(text.status, 0);
    EXPECT_EQ(text.out, expected);
    EXPECT_FALSE(LoadsQt(text));

    const ProgramRun shred =
        Tarvex4WatchingLibraries("shred --suffix --size 3 " + Quoted(File("words.txt", "shredder\n")));
    EXPECT_EQ(shred.status, 0);
    EXPECT_EQ(shred.out, "der\n");
    EXPECT_FALSE(LoadsQt(shred));
}

TEST_F(Tarvex4Program, GoMakesAPageWithoutQt) {
    const std::string main = File("main.txt", "words for a page without a window\n");
    // A first start: the data folder is set up from the delivered data.
    const ProgramRun run = Tarvex4("go --seed 7 --out " + Quoted(scratch / "pages/") + " --main " + Quoted(main),
                                   "LD_DEBUG=libs VANTELO_HOME=" + Quoted(scratch / "data"));
    EXPECT_FALSE(LoadsQt(run));
    if (fs::exists(std::string(TARVEX4_BUILD_DATA_DIR) + "/words6.db")) {
        EXPECT_EQ(run.status, 0) << ProgramMessages(run.err);
        EXPECT_TRUE(fs::exists(scratch / "pages/collage1.html"));
    }
}

// The window program is reached (and loads Qt, which shows the check above
// can see it): without a display it says so.
TEST_F(Tarvex4Program, NoArgumentOrAFileStartsTheWindowProgram) {
    for (const std::string& arguments : {std::string(), Quoted(File("notes.txt", "a document\n"))}) {
        const ProgramRun run = Tarvex4WatchingLibraries(arguments);
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_NE(run.err.find("there is no display to open the window on"), std::string::npos) << arguments;
        EXPECT_TRUE(LoadsQt(run)) << arguments;
        EXPECT_EQ(run.err.find("unknown command"), std::string::npos) << arguments;
    }
}

// An X display that nothing answers on is no display either: Qt would abort
// the window program (status 134, a core); the window and the board say so
// and exit 1.
TEST_F(Tarvex4Program, AnUnreachableDisplayIsSaidAsNoDisplay) {
    int number = 93;
    while (fs::exists("/tmp/.X11-unix/X" + std::to_string(number)) ||
           fs::exists("/tmp/.X" + std::to_string(number) + "-lock")) {
        ++number;
    }
    const std::string display = ":" + std::to_string(number);
    const std::string page = File("page.html", collage::WritePage(collage::Collage{}));
    for (const std::string& arguments : {std::string(), "board " + Quoted(page)}) {
        const ProgramRun run = Tarvex4(arguments, "DISPLAY=" + display);
        EXPECT_EQ(run.status, 1) << arguments << "\n" << run.err;
        EXPECT_NE(
            run.err.find("there is no display to open the window on (the display " + display + " cannot be reached)"),
            std::string::npos)
            << arguments << "\n"
            << run.err;
        EXPECT_NE(run.err.find("tarvex4 go --help"), std::string::npos) << arguments;
    }
}

TEST_F(Tarvex4Program, AMistypedSubCommandIsAUsageError) {
    const ProgramRun fil = Tarvex4("fil");
    EXPECT_EQ(fil.status, 2);
    EXPECT_NE(fil.err.find("unknown command \"fil\""), std::string::npos) << fil.err;
    EXPECT_NE(fil.err.find("\"" + cli::ClosestCommand("fil", cli::CommandNames()) + "\""), std::string::npos);

    const ProgramRun rtf = Tarvex4("rtf2txt");
    EXPECT_EQ(rtf.status, 2);
    EXPECT_NE(rtf.err.find("the closest is \"rtf2text\""), std::string::npos) << rtf.err;
    EXPECT_EQ(rtf.out, "");

    // A missing file is no document either.
    const ProgramRun missing = Tarvex4(Quoted(scratch / "no-such-notes.txt"));
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("unknown command"), std::string::npos);
}

TEST_F(Tarvex4Program, AMissingWindowProgramOrCommandLineIsReportedNotFatal) {
    const std::string alone = scratch / "tarvex4";
    fs::copy_file(TARVEX4_EXE, alone);
    fs::permissions(alone, fs::perms::owner_all);
    const ProgramRun run = Start(alone, "");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot start the window program"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("tarvex4-window"), std::string::npos);
    // Without its folder the command line is missing too: named, with the way out.
    const ProgramRun shred = Start(alone, "shred " + Quoted(File("w.txt", "word\n")));
    EXPECT_EQ(shred.status, 1);
    EXPECT_NE(shred.err.find("cannot load its commands from"), std::string::npos) << shred.err;
    EXPECT_NE(shred.err.find("tarvex4-commands.so"), std::string::npos) << shred.err;
    EXPECT_NE(shred.err.find("Reinstall tarvex4."), std::string::npos) << shred.err;
}

// The completion script the package installs, asked as bash asks it.
TEST_F(Tarvex4Program, BashCompletesCommandsOptionsAndFiles) {
    const ProgramRun script = Tarvex4("completion bash");
    ASSERT_EQ(script.status, 0) << script.err;
    const std::string file = File("tarvex4.bash", script.out);
    File("notes.txt", "words\n");
    const auto complete = [&](const std::string& line) {
        const std::string words = line + (line.back() == ' ' ? "\"\"" : "");
        const std::string bash =
            "cd " + Quoted(scratch.path()) + " && . " + Quoted(file) + " && COMP_WORDS=(" + words +
            ") && COMP_CWORD=$((${#COMP_WORDS[@]} - 1)) && _tarvex4 && printf \"%s\\n\" \"${COMPREPLY[@]}\"";
        return Start("/bin/bash", "-c " + Quoted(bash)).out;
    };
    EXPECT_EQ(complete("tarvex4 ex"), "export\n");
    EXPECT_EQ(complete("tarvex4 images sel"), "select\n");
    EXPECT_EQ(complete("tarvex4 go --text-v"), "--text-volume\n");
    EXPECT_EQ(complete("tarvex4 go --seed 3 --main no"), "notes.txt\n");
    EXPECT_EQ(complete("tarvex4 export --sc"), "--scale\n");
}

TEST(CommandSuggestion, NamesTheClosestSubCommand) {
    const std::vector<std::string> names = {"go", "markup2rtf", "rtf2text", "shred"};
    EXPECT_EQ(cli::ClosestCommand("og", names), "go");
    EXPECT_EQ(cli::ClosestCommand("shread", names), "shred");
    EXPECT_EQ(cli::ClosestCommand("rtf2txt", names), "rtf2text");
    // A shortened name is near, however much is missing.
    EXPECT_EQ(cli::ClosestCommand("mark", names), "markup2rtf");
    EXPECT_EQ(cli::ClosestCommand("rtf", names), "rtf2text");
    // Ties go to the first name.
    EXPECT_EQ(cli::ClosestCommand("", names), "go");
    EXPECT_EQ(cli::ClosestCommand("anything", {}), "");
}

}  // namespace
