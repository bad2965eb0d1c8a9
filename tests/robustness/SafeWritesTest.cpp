// SPDX-License-Identifier: GPL-3.0-or-later
// Pages and pictures are written whole or not at all: the old page stays as
// it was until the new one is complete, and no temporary file is left.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <thread>

#include "Robustness.h"
#include "mainform/MainCommands.h"
#include "db/DataFolder.h"
#include "form/FontDefaults.h"
#include "form/MainFormState.h"
#include "session/Session.h"
#include "richtext/RichTextOps.h"
#include "support/SafeFile.h"
#include "ScriptedUserInterface.h"

using namespace robust;

namespace {

// Runs WriteFileReplacing in a child whose files may not grow beyond
// `limit` bytes, as on a full disk; returns whether the write succeeded.
bool WriteWithFileSizeLimit(const std::string& path, const std::string& bytes, rlim_t limit) {
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);  // the write fails with EFBIG instead
        const rlimit small{limit, limit};
        setrlimit(RLIMIT_FSIZE, &small);
        std::string problem;
        _exit(WriteFileReplacing(path, bytes, problem) ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

TEST(SafeWrites, ReplaceTheFileWholeOrLeaveItAlone) {
    ScratchFolder scratch;
    const std::string page = scratch / "collage1.html";
    std::string problem;
    ASSERT_TRUE(WriteFileReplacing(page, "old page", problem)) << problem;
    ASSERT_TRUE(WriteFileReplacing(page, "new page", problem)) << problem;
    EXPECT_EQ(ReadFile(page), "new page");

    // Half way through, the disk is full.
    EXPECT_FALSE(WriteWithFileSizeLimit(page, std::string(64 * 1024, 'p'), 4096));
    EXPECT_EQ(ReadFile(page), "new page");
    EXPECT_EQ(Entries(scratch.path()), std::vector<std::string>{"collage1.html"});

    // The target cannot be replaced: the reason names the file.
    fs::create_directory(scratch / "taken.html");
    EXPECT_FALSE(WriteFileReplacing(scratch / "taken.html", "x", problem));
    EXPECT_NE(problem.find(scratch / "taken.html"), std::string::npos) << problem;
    EXPECT_FALSE(WriteFileReplacing(scratch / "no/such/folder/p.html", "x", problem));
    EXPECT_EQ(Entries(scratch.path()), (std::vector<std::string>{"collage1.html", "taken.html"}));
}

TEST(SafeWrites, AFullDiskDuringGoKeepsThePreviousPage) {
    ScratchFolder scratch;
    const std::string data = scratch / "data";
    CreateWordsDatabase(data);
    AddArtFonts(data);
    std::string lines;
    for (int i = 0; i < 60; ++i)
        lines += "alphabetical wonderful extraordinary words number " + std::to_string(i) + "\n";
    WriteFile(scratch / "main.txt", lines);
    const std::string args = "go --seed 7 --text-volume 40 --style 3 --words 7 --track-off 1 --main " +
                             Quoted(scratch / "main.txt") + " --data " + Quoted(data) + " --out " +
                             Quoted(scratch / "out");
    ProgramRun first = Tarvex4(args, scratch.path());
    ASSERT_EQ(first.status, 0) << first.err;
    const std::string page = ReadFile(scratch / "out/collage1.html");
    ASSERT_GT(page.size(), 16384u);

    // 8 blocks (of 512 or 1024 bytes): the art fonts fit, the page does not.
    ProgramRun full = Tarvex4(args, scratch.path(), "trap '' XFSZ; ulimit -f 8;");
    EXPECT_EQ(full.status, 1) << full.err;
    EXPECT_NE(full.err.find("collage1.html"), std::string::npos) << full.err;
    EXPECT_EQ(ReadFile(scratch / "out/collage1.html"), page);
    for (const std::string& name : Entries(scratch / "out")) EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
}

TEST(SafeWrites, APictureThatCannotBeWrittenFailsTheRun) {
    ScratchFolder scratch;
    const std::string data = scratch / "data";
    CreateWordsDatabase(data);
    AddArtFonts(data);
    AddPicture(data, "lib.gif", "GIF89a" + std::string(64 * 1024, 'l'));
    const std::string args =
        "go --seed 2 --image-volume 3 --data " + Quoted(data) + " --out " + Quoted(scratch / "out");
    // The disk fills up while the picture is written.
    ProgramRun go = Tarvex4(args, scratch.path(), "trap '' XFSZ; ulimit -f 8;");
    EXPECT_EQ(go.status, 1);
    EXPECT_NE(go.err.find("lib.gif"), std::string::npos) << go.err;
    EXPECT_FALSE(fs::exists(scratch / "out/collage1.html"));
    for (const std::string& name : Entries(scratch / "out")) EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;

    // A folder in the way only takes the name: the picture goes beside it.
    fs::create_directories(scratch / "out/lib.gif");
    go = Tarvex4(args, scratch.path());
    EXPECT_EQ(go.status, 0) << go.err;
    EXPECT_EQ(ReadFile(scratch / "out/lib-2.gif").size(), 6u + 64 * 1024);
    EXPECT_TRUE(fs::is_directory(scratch / "out/lib.gif"));

    // An output folder that cannot be made is said, not ignored.
    WriteFile(scratch / "blocker", "a file");
    ProgramRun blocked =
        Tarvex4("go --seed 2 --data " + Quoted(data) + " --out " + Quoted(scratch / "blocker/out"), scratch.path());
    EXPECT_EQ(blocked.status, 1);
    EXPECT_NE(blocked.err.find("Cannot create the folder " + std::string(scratch / "blocker/out/")), std::string::npos)
        << blocked.err;
}

namespace {

fs::file_type TypeOf(const std::string& path) { return fs::symlink_status(path).type(); }

// What a reader of `fd` (opened not blocking) gets until the writer has gone;
// it gives up after some seconds rather than wait for a writer that never comes.
std::string ReadUntilClosed(int fd) {
    std::string got;
    char buffer[4096];
    for (;;) {
        pollfd ready{fd, POLLIN, 0};
        if (::poll(&ready, 1, 10000) <= 0) break;
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count > 0) got.append(buffer, static_cast<size_t>(count));
        if (count == 0 || (count < 0 && errno != EAGAIN && errno != EINTR)) break;
    }
    return got;
}

}  // namespace

// Naming a pipe, a terminal or a device as the output means writing to it:
// replacing it would take it away from every other program.
TEST(SafeWrites, PipesAndDescriptorsAreWrittenWhereTheyAre) {
    ScratchFolder scratch;
    std::string problem;
    const std::string fifo = scratch / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int readEnd = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(readEnd, 0);
    std::string received;
    std::thread reader([&] { received = ReadUntilClosed(readEnd); });
    const std::string bytes(300 * 1000, 'b');  // more than a pipe holds at once
    EXPECT_TRUE(WriteFileReplacing(fifo, bytes, problem)) << problem;
    reader.join();
    ::close(readEnd);
    EXPECT_EQ(received.size(), bytes.size());
    EXPECT_EQ(TypeOf(fifo), fs::file_type::fifo);

    // A reader that leaves early is a failed write, not the end of the program.
    const int leaving = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(leaving, 0);
    std::thread early([&] {
        pollfd ready{leaving, POLLIN, 0};
        ::poll(&ready, 1, 10000);
        char some[16];
        (void)!::read(leaving, some, sizeof some);
        ::close(leaving);
    });
    EXPECT_FALSE(WriteFileReplacing(fifo, bytes, problem));
    early.join();
    EXPECT_NE(problem.find(fifo), std::string::npos) << problem;

    // Process substitution hands over /dev/fd/N, a link to a pipe.
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    EXPECT_TRUE(WriteFileReplacing("/dev/fd/" + std::to_string(ends[1]), "through a descriptor", problem)) << problem;
    ::close(ends[1]);
    EXPECT_EQ(ReadUntilClosed(ends[0]), "through a descriptor");
    ::close(ends[0]);

    // A file the caller's shell opened keeps what it was given before.
    const std::string opened = scratch / "words.txt";
    const int out = ::open(opened.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_EQ(::write(out, "before\n", 7), 7);
    EXPECT_TRUE(WriteFileReplacing("/dev/fd/" + std::to_string(out), "after\n", problem)) << problem;
    ASSERT_EQ(::write(out, "later\n", 6), 6);
    ::close(out);
    EXPECT_EQ(ReadFile(opened), "before\nafter\nlater\n");

    // A socket cannot be opened, a folder cannot be written: both stay.
    const std::string socketPath = scratch / "sock";
    const int listening = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath.c_str());
    ASSERT_EQ(::bind(listening, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    EXPECT_FALSE(WriteFileReplacing(socketPath, "x", problem));
    EXPECT_NE(problem.find(socketPath), std::string::npos) << problem;
    EXPECT_EQ(TypeOf(socketPath), fs::file_type::socket);
    ::close(listening);
    EXPECT_EQ(Entries(scratch.path()), (std::vector<std::string>{"pipe", "sock", "words.txt"}));
}

// Needs root (or the right to make device nodes): the nodes are copies of
// /dev/null and /dev/full made for the test, never the machine's own.
TEST(SafeWrites, DevicesStayDevices) {
    ScratchFolder scratch;
    const std::string null = scratch / "null";
    const std::string full = scratch / "full";
    if (::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0 ||
        ::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0)
        GTEST_SKIP() << "device nodes cannot be made here: " << std::strerror(errno);
    std::string problem;
    EXPECT_TRUE(WriteFileReplacing(null, "swallowed", problem)) << problem;
    EXPECT_FALSE(WriteFileReplacing(full, "no room", problem));
    EXPECT_NE(problem.find(full), std::string::npos) << problem;
    EXPECT_NE(problem.find(std::strerror(ENOSPC)), std::string::npos) << problem;
    for (const std::string& node : {null, full}) {
        struct stat held {};
        ASSERT_EQ(::lstat(node.c_str(), &held), 0);
        EXPECT_TRUE(S_ISCHR(held.st_mode)) << node;
    }
    // The real program, asked for its words there, leaves the node alone too.
    const std::string data = scratch / "data";
    CreateWordsDatabase(data);
    AddArtFonts(data);
    WriteFile(scratch / "main.txt", "some words to cut up and write out\n");
    ProgramRun go = Tarvex4("go --seed 3 --main " + Quoted(scratch / "main.txt") + " --data " + Quoted(data) +
                                " --out " + Quoted(scratch / "out") + " --text " + Quoted(null),
                            scratch.path());
    EXPECT_EQ(go.status, 0) << go.err;
    EXPECT_EQ(TypeOf(null), fs::file_type::character);
    EXPECT_EQ(Entries(scratch.path()), (std::vector<std::string>{"data", "full", "main.txt", "null", "out"}));
}

namespace {

class NoWindow : public MainTextWindow {
public:
    void Cut() override {}
    void Copy() override {}
    void Paste() override {}
    bool HasFocus() const override { return true; }
    void SetFocus() override {}
    std::optional<SaveFormat> AskFileType() override { return std::nullopt; }
};

}  // namespace

TEST(SafeWrites, AFontThatCannotBeSavedIsSaid) {
    ScratchFolder scratch;
    MainFormState form;
    form.m_dataFolder = scratch.path();
    fs::create_directory(scratch / "fdefaults.txt");  // nothing can be written there
    ScriptedUserInterface ui;
    ui.fontAnswers.push_back(FontChoice{"DejaVu Sans", 180, 0, false, false, false});
    NoWindow window;
    ChooseMainFont(form, ui, window);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find(scratch / "fdefaults.txt"), std::string::npos) << ui.messages[0].text;
    // The text takes the font all the same.
    form.m_mainText->SelectAll();
    EXPECT_EQ(form.m_mainText->SelectionCharFormat().face, "DejaVu Sans");
}

namespace {

class PlainTextWindow : public NoWindow {
public:
    std::optional<SaveFormat> AskFileType() override { return SaveFormat::kPlainText; }
};

// Runs `write` in a child whose files may not grow beyond `limit` bytes, as
// on a full disk or quota.
template <typename Write>
void OnAFullDisk(rlim_t limit, Write write) {
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{limit, limit};
        setrlimit(RLIMIT_FSIZE, &small);
        write();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
}

}  // namespace

TEST(SafeWrites, TheUsersDocumentAndFontFileSurviveAFullDisk) {
    ScratchFolder scratch;
    const std::string document = scratch / "story.txt";
    WriteFile(document, "the old story, every word of it");
    const std::string fontFile = scratch / "fdefaults.txt";
    WriteFile(fontFile, "Old Face|240");
    OnAFullDisk(8, [&] {
        MainFormState form;
        LoadMarkup(*form.m_mainText, std::string(20000, 'w'));
        ScriptedUserInterface ui;
        ui.saveAnswers.push_back(FileChoice{document, "story.txt"});
        PlainTextWindow window;
        SaveMainText(form, ui, window);
        WriteFontDefaults(fontFile, {"A Much Longer Face Name", 180});
    });
    EXPECT_EQ(ReadFile(document), "the old story, every word of it");
    EXPECT_EQ(ReadFile(fontFile), "Old Face|240");
    EXPECT_EQ(Entries(scratch.path()), (std::vector<std::string>{"fdefaults.txt", "story.txt"}))
        << "no temporary file is left";

    // With room, both are replaced, and the document keeps who may read it.
    fs::permissions(document, fs::perms::owner_read | fs::perms::owner_write);
    MainFormState form;
    LoadMarkup(*form.m_mainText, "the new story");
    ScriptedUserInterface ui;
    ui.saveAnswers.push_back(FileChoice{document, "story.txt"});
    PlainTextWindow window;
    SaveMainText(form, ui, window);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_NE(ReadFile(document).find("the new story"), std::string::npos);
    EXPECT_EQ(fs::status(document).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(WriteFontDefaults(fontFile, {"New Face", 180}));
    EXPECT_EQ(ReadFile(fontFile), "New Face|180");
}

// A fixed temporary name ("<file>.part") is shared by two programs saving at
// once, and a leftover of that name stops every later save.
TEST(SafeWrites, SessionsAndTheDataFolderUseTemporaryNamesOfTheirOwn) {
    ScratchFolder scratch;
    const std::string session = scratch / "night.vantelo";
    fs::create_directory(session + ".part");
    MainFormState form;
    LoadMarkup(*form.m_mainText, "words of the night");
    ASSERT_NO_THROW(WriteSessionFile(session, CaptureSession(form, {})));
    EXPECT_NE(ReadSessionFile(session).mainRtf.find("words of the night"), std::string::npos);

    const std::string installed = scratch / "share";
    CreateWordsDatabase(installed);
    WriteFile(fs::path(installed) / "artfonts/metal/a.gif", "GIF89a-metal");
    const std::string user = scratch / "user";
    fs::create_directories(fs::path(user) / "words6.db.part");
    fs::create_directories(fs::path(user) / "artfonts/metal/a.gif.part");
    fs::create_directories(fs::path(installed) / "usermanual");
    const DataFolderSetup setup = EnsureDataFolder(user, installed);
    EXPECT_TRUE(setup.problems.empty()) << setup.problems.front();
    EXPECT_TRUE(fs::is_regular_file(wordsdb::DatabasePath(user)));
    EXPECT_EQ(ReadFile(fs::path(user) / "artfonts/metal/a.gif"), "GIF89a-metal");
}
