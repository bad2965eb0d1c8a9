// SPDX-License-Identifier: GPL-3.0-or-later
// Text files that are not what Open expects: folders, binary and huge files,
// and texts that quote HTML. The text is kept or loaded as it is, and the
// user is told once.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>

#include <sys/stat.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <sstream>
#include <thread>
#include <string_view>
#include <utility>

#include "Robustness.h"
#include "mainform/MainCommands.h"
#include "form/MainFormState.h"
#include "richtext/RichTextOps.h"
#include "ScriptedUserInterface.h"
#include "support/TextFileReader.h"
#include "tracks/TrackCommands.h"

using namespace robust;

namespace {

class HostileFiles : public ::testing::Test {
protected:
    void SetUp() override {
        LoadMarkup(*form.m_mainText, "what was typed");
        LoadMarkup(*Track().m_trackText, "track words");
        typed = MainText();
        trackWords = TrackText();
    }
    TrackState& Track() { return form.m_tracks[1]; }

    // Opens `path` in the main text and in track 2, as the user would.
    void OpenBoth(const std::string& path) {
        ui.openAnswers.push_back(FileChoice{path, fs::path(path).filename().string()});
        OpenTextFile(form, ui);
        ui.openAnswers.push_back(FileChoice{path, fs::path(path).filename().string()});
        OpenTrackFile(Track(), ui);
    }
    std::string MainText() { return PlainTextOf(*form.m_mainText); }
    std::string TrackText() { return PlainTextOf(*Track().m_trackText); }

    ScratchFolder scratch;
    MainFormState form;
    ScriptedUserInterface ui;
    std::string typed;
    std::string trackWords;
};

// A file of `lines` short lines followed by a hole of `holeBytes` zero bytes
// that takes no disk space.
std::string SparseFile(const std::string& path, int lines, off_t holeBytes) {
    std::string head;
    for (int i = 0; i < lines; ++i) head += "line" + std::to_string(i) + "\n";
    WriteFile(path, head);
    if (truncate(path.c_str(), static_cast<off_t>(head.size()) + holeBytes) != 0) return "";
    return path;
}

// Should the test open `pipe` for reading and wait there, a writer comes
// after 20 s and leaves at once, so that the read ends and `waited` tells.
class PipeWatchdog {
public:
    PipeWatchdog(const std::string& pipe, bool& waited)
            : m_thread([this, pipe, &waited] {
                  std::unique_lock lock(m_mutex);
                  if (m_done.wait_for(lock, std::chrono::seconds(20), [this] { return m_finished; })) return;
                  while (!m_finished) {
                      const int fd = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
                      if (fd >= 0) {
                          waited = true;
                          ::close(fd);
                      }
                      m_done.wait_for(lock, std::chrono::milliseconds(50));
                  }
              }) {}
    ~PipeWatchdog() {
        {
            std::lock_guard lock(m_mutex);
            m_finished = true;
        }
        m_done.notify_all();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_finished = false;
    std::thread m_thread;
};

}  // namespace

TEST_F(HostileFiles, AFolderAPipeOrABinaryFileLeavesTheTextAsItWas) {
    fs::create_directory(scratch / "folder.txt");
    OpenBoth(scratch / "folder.txt");
    EXPECT_EQ(MainText(), typed);
    EXPECT_EQ(TrackText(), trackWords);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_NE(ui.messages[0].text.find("folder.txt is a folder"), std::string::npos) << ui.messages[0].text;

    WriteFile(scratch / "picture.txt", std::string("GIF89a\0\0\x01\x02 binary", 17));
    OpenBoth(scratch / "picture.txt");
    EXPECT_EQ(MainText(), typed);
    EXPECT_EQ(TrackText(), trackWords);
    ASSERT_EQ(ui.messages.size(), 4u);
    EXPECT_NE(ui.messages[2].text.find("binary"), std::string::npos) << ui.messages[2].text;

    OpenBoth(scratch / "missing.txt");
    EXPECT_EQ(MainText(), typed);
    ASSERT_EQ(ui.messages.size(), 6u);
    EXPECT_NE(ui.messages[4].text.find("missing.txt"), std::string::npos);

    // A pipe nobody writes to: opening it to read would wait for ever.
    const std::string pipe = scratch / "pipe.txt";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    bool waited = false;
    {
        const PipeWatchdog watchdog(pipe, waited);
        OpenBoth(pipe);
    }
    EXPECT_FALSE(waited) << "the pipe was waited on";
    EXPECT_EQ(MainText(), typed);
    EXPECT_EQ(TrackText(), trackWords);
    ASSERT_EQ(ui.messages.size(), 8u);
    EXPECT_NE(ui.messages[6].text.find(pipe + " is not a text file: it is a pipe"), std::string::npos)
        << ui.messages[6].text;
}

TEST_F(HostileFiles, AHugeFileIsReadOnlyAsFarAsTheLinesTaken) {
    // 600 MB, nearly all of it after the lines the commands take: were it
    // read, the zero bytes would make it "binary".
    const std::string path = SparseFile(scratch / "huge.txt", 120, off_t(600) << 20);
    ASSERT_FALSE(path.empty());
    OpenBoth(path);
    EXPECT_TRUE(ui.messages.empty()) << ui.messages[0].text;
    EXPECT_EQ(MainText().rfind("line74 ", std::string::npos) != std::string::npos, true) << MainText().substr(0, 80);
    EXPECT_EQ(MainText().find("line75"), std::string::npos);
    EXPECT_NE(TrackText().find("line99"), std::string::npos);
    EXPECT_EQ(TrackText().find("line100"), std::string::npos);

    // One endless line: read up to the limit, and said so.
    WriteFile(scratch / "one-line.txt", std::string(5u << 20, 'a'));
    const TextFileStart start = ReadTextFileStart(scratch / "one-line.txt", 75);
    ASSERT_TRUE(start.ok);
    EXPECT_EQ(start.text.size(), kTextFileReadLimit);
    EXPECT_NE(start.notice.find("4 MB"), std::string::npos);
}

TEST_F(HostileFiles, AReadStopsAtACharacterBoundary) {
    // "é" is two bytes; a limit of 5 would cut the third one in half.
    WriteFile(scratch / "accents.txt", "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9");
    const TextFileStart start = ReadTextFileStart(scratch / "accents.txt", 75, 5);
    ASSERT_TRUE(start.ok);
    EXPECT_EQ(start.text, "\xC3\xA9\xC3\xA9");
    const TextFileStart whole = ReadTextFileStart(scratch / "accents.txt", 75, 6);
    EXPECT_EQ(whole.text, "\xC3\xA9\xC3\xA9\xC3\xA9");
}

TEST_F(HostileFiles, ATextFileLoadsAsItIs) {
    // What looks like markup is text: a stray closing tag, a tag that would
    // render, a '<' with no '>' after it.
    WriteFile(scratch / "quote.txt", "She wrote </div> & <b>bold</b> {braces} \\back alpha < beta\n");
    OpenBoth(scratch / "quote.txt");
    EXPECT_EQ(MainText(), "She wrote </div> & <b>bold</b> {braces} \\back alpha < beta \n");
    EXPECT_EQ(TrackText(), "She wrote </div> & <b>bold</b> {braces} \\back alpha < beta \n");
    EXPECT_TRUE(ui.messages.empty()) << ui.messages[0].text;
}

// The text of a page as a browser shows it: tags dropped, entities read.
std::string ShownText(const std::string& page) {
    std::string text;
    bool inTag = false;
    for (char c : page) {
        if (c == '<')
            inTag = true;
        else if (c == '>')
            inTag = false;
        else if (!inTag)
            text += c;
    }
    for (const auto& [entity, character] :
         {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&amp;", "&"}}) {
        for (std::size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1))
            text.replace(at, std::string_view(entity).size(), character);
    }
    return text;
}

// A page made from a text file shows every word of it, whatever it quotes.
TEST_F(HostileFiles, GoShowsEveryWordOfAPlainTextFile) {
    const std::string data = scratch / "data";
    CreateWordsDatabase(data);
    AddArtFonts(data);
    const std::string text =
        "alpha beta < gamma delta, 1 > 0 & \"quoted\" 'words' write to <me@example.org> "
        "a<b and c>d </div> <script> end";
    WriteFile(scratch / "plain.txt", text + "\n");
    const ProgramRun run = Tarvex4(
        "go --seed 5 --no-main --whole 1 --fader 1=200 --text-volume 10 --image-volume 0 "
        "--data " +
            Quoted(data) + " --out " + Quoted(scratch / "out") + " --track 1=" + Quoted(scratch / "plain.txt"),
        scratch.path());
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string page = ReadFile(scratch / "out/collage1.html");
    EXPECT_EQ(page.find("<me@example.org>"), std::string::npos);  // written escaped
    const std::string shown = ShownText(page);
    std::istringstream words(text);
    for (std::string word; words >> word;) EXPECT_NE(shown.find(word), std::string::npos) << word;
    EXPECT_NE(shown.find(" write to <me@example.org> a<b and c>d </div> <script> end"), std::string::npos) << shown;
}

TEST_F(HostileFiles, GoLoadsAQuotingFileAndRefusesABinaryOne) {
    const std::string data = scratch / "data";
    CreateWordsDatabase(data);
    AddArtFonts(data);
    std::string quotes;
    for (int i = 0; i < 30; ++i) quotes += "</span> <script>alert(1)</script> <b>x</b> <i>y</i>\n";
    WriteFile(scratch / "quote.txt", quotes);
    const std::string args = "go --seed 5 --text-volume 40 --words 2 --data " + Quoted(data) + " --out " +
                             Quoted(scratch / "out") + " --main ";
    ProgramRun quoting = Tarvex4(args + Quoted(scratch / "quote.txt"), scratch.path());
    ASSERT_EQ(quoting.status, 0) << quoting.err;
    const std::string page = ReadFile(scratch / "out/collage1.html");
    // Every word of the text holds a '<': whichever snips were drawn show it escaped.
    EXPECT_NE(page.find("'>&lt;"), std::string::npos) << page;
    EXPECT_EQ(page.find("<script>alert"), std::string::npos);

    WriteFile(scratch / "zeros.txt", std::string(100, '\0'));
    ProgramRun binary = Tarvex4(args + Quoted(scratch / "zeros.txt"), scratch.path());
    EXPECT_EQ(binary.status, 1);
    EXPECT_NE(binary.err.find("binary"), std::string::npos) << binary.err;
    ProgramRun folder = Tarvex4(
        "go --seed 5 --data " + Quoted(data) + " --out " + Quoted(scratch / "out") + " --track 2=" + Quoted(data),
        scratch.path());
    EXPECT_EQ(folder.status, 1);
    EXPECT_NE(folder.err.find("is a folder"), std::string::npos) << folder.err;
}
