// SPDX-License-Identifier: GPL-3.0-or-later
// The markup2rtf and rtf2text commands, run as the built program.
#include "richtext/MarkupRtfRenderer.h"
#include "RtfChecks.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs tarvex4 with `arguments`, `input` on standard input.
Outcome RunTarvex4(const std::string& arguments, const std::string& input) {
    const auto dir = std::filesystem::temp_directory_path() / ("tarvex4_richcli_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "in", std::ios::binary) << input;
    const std::string command = std::string("'") + TARVEX4_EXE + "' " + arguments + " < '" + (dir / "in").string() +
                                "' > '" + (dir / "out").string() + "' 2> '" + (dir / "err").string() + "'";
    Outcome outcome;
    int raw = std::system(command.c_str());
    outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    outcome.out = ReadFile(dir / "out");
    outcome.err = ReadFile(dir / "err");
    std::filesystem::remove_all(dir);
    return outcome;
}

TEST(RichTextCommands, Markup2RtfWritesTheRenderingWithTheGivenOptions) {
    Outcome plain = RunTarvex4("markup2rtf", "<b>hi</b> there");
    EXPECT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.out, *RenderToRtf("<b>hi</b> there"));

    Outcome options = RunTarvex4(
        "markup2rtf --face Courier --height 20 --colour 112233 "
        "--background '#A0B0C0' --dpi 120",
        "<body leftmargin=1>x");
    EXPECT_EQ(options.status, 0) << options.err;
    EXPECT_NE(options.out.find("{\\f0\\fnil\\fcharset0 Courier;}"), std::string::npos);
    EXPECT_NE(options.out.find("{\\colortbl ;\\red17\\green34\\blue51;\\red160\\green176\\blue192;}"),
              std::string::npos);
    EXPECT_NE(options.out.find("\\fs36 {\\margt96\\margb96\\li12\\ri96"), std::string::npos);
}

TEST(RichTextCommands, Markup2RtfFailsCleanly) {
    Outcome failed = RunTarvex4("markup2rtf", "a</span>");
    EXPECT_EQ(failed.status, 1);
    EXPECT_TRUE(failed.out.empty());
    EXPECT_NE(failed.err.find("</span> with no open group"), std::string::npos) << failed.err;
    EXPECT_EQ(failed.err.find('\n'), failed.err.size() - 1) << "one line";

    Outcome colour = RunTarvex4("markup2rtf --colour red", "x");
    EXPECT_EQ(colour.status, 1);
    EXPECT_TRUE(colour.out.empty());
    EXPECT_NE(colour.err.find("RRGGBB"), std::string::npos);

    Outcome missing = RunTarvex4("markup2rtf /nonexistent/file.html", "");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("cannot open"), std::string::npos);
}

TEST(RichTextCommands, Rtf2TextPrintsTheTextOrNamesTheError) {
    Outcome ok = RunTarvex4("rtf2text", "{\\rtf1{\\fonttbl{\\f0 A;}}caf\\'e9\\par x}");
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.out, "caf\xc3\xa9\nx");

    const std::pair<const char*, const char*> failures[] = {
        {"{a}}", "stack underflow"},
        {"{a", "unmatched brace"},
        {"{\\'zz}", "invalid hex"},
        {"{a\\", "end of file in a control word"},
    };
    for (auto [rtf, message] : failures) {
        Outcome failed = RunTarvex4("rtf2text", rtf);
        EXPECT_EQ(failed.status, 1) << rtf;
        EXPECT_TRUE(failed.out.empty());
        EXPECT_NE(failed.err.find(message), std::string::npos) << failed.err;
    }
}

TEST(RichTextCommands, AFolderAsFileFailsWithAMessage) {
    const std::string folder = std::filesystem::temp_directory_path().string();
    for (const char* command : {"rtf2text", "markup2rtf"}) {
        Outcome outcome = RunTarvex4(std::string(command) + " '" + folder + "'", "");
        EXPECT_EQ(outcome.status, 1) << command;
        EXPECT_TRUE(outcome.out.empty());
        EXPECT_NE(outcome.err.find("is a folder"), std::string::npos) << outcome.err;
        EXPECT_EQ(outcome.err.find('\n'), outcome.err.size() - 1) << "one line";
    }
}

TEST(RichTextCommands, Markup2RtfOutputIsSevenBitAndReadsBack) {
    const std::string words = "Voil\xc3\xa0 \xce\xb1\xce\xb2 \xe4\xb8\xad\xe6\x96\x87 \xf0\x9f\x98\x80";
    Outcome rtf = RunTarvex4("markup2rtf --face 'Bad}Face'",
                             words + " <font face='Arial}}'>face</font> <font color='#ff0000'>red");
    ASSERT_EQ(rtf.status, 0) << rtf.err;
    EXPECT_EQ(rtfcheck::Problem(rtf.out), "");
    Outcome text = RunTarvex4("rtf2text", rtf.out);
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out, words + " face red");
}

TEST(RichTextCommands, Rtf2TextKeepsEveryWordApartInItsCharacters) {
    Outcome outcome =
        RunTarvex4("rtf2text",
                   "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 A;}{\\f1\\fcharset161 G;}{\\f2\\fcharset204 C;}}"
                   "caf\xe9 line\\line break cellA\\cell cellB\\row word\\emdash word "
                   "{\\f1 \\'e1\\'e2} {\\f2 \\'cf\\'f0}}");
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out,
              "caf\xc3\xa9 line\nbreak cellA\tcellB\nword\xe2\x80\x94word \xce\xb1\xce\xb2 \xd0\x9f\xd1\x80");
}

// LibreOffice, a reader we did not write, finds every character of what
// markup2rtf writes.
TEST(RichTextCommands, LibreOfficeReadsMarkup2RtfOutput) {
    if (std::system("command -v soffice > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "LibreOffice (soffice) is not installed; apt-get install libreoffice-writer-nogui to run this";
    const std::string words =
        "Voil\xc3\xa0 na\xc3\xafve \xce\x91\xce\xb8\xce\xae\xce\xbd\xce\xb1 \xe4\xb8\xad\xe6\x96\x87 \xf0\x9f\x98\x80";
    Outcome rtf = RunTarvex4("markup2rtf --face 'Bad}Face'", "<font color='#ff0000'>" + words);
    ASSERT_EQ(rtf.status, 0) << rtf.err;
    const auto dir = std::filesystem::temp_directory_path() / ("tarvex4_soffice_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "doc.rtf", std::ios::binary) << rtf.out;
    const std::string command = "cd '" + dir.string() + "' && soffice -env:UserInstallation=file://" + dir.string() +
                                "/profile --headless --convert-to txt:Text doc.rtf > log 2>&1";
    const int status = std::system(command.c_str());
    const std::string text = ReadFile(dir / "doc.txt");
    const std::string log = ReadFile(dir / "log");
    std::filesystem::remove_all(dir);
    ASSERT_EQ(status, 0) << log;
    EXPECT_NE(text.find(words), std::string::npos) << text;
}

}  // namespace
