// SPDX-License-Identifier: GPL-3.0-or-later
// What an export writes never harms what is already there: a device or a
// pipe stays what it was, a full disk leaves no piece of a document, the page
// and its pictures are never written over, and an export neither hangs on an
// input that never ends nor outlives the tarvex4 that started it.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "Robustness.h"

extern char** environ;

using namespace robust;

namespace {

using namespace std::chrono_literals;

// A 1 x 1 GIF, so that the page's pictures and letters all draw.
const std::string kGif(
    "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00!\xf9\x04\x01\x00\x00\x00\x00,"
    "\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
    43);

bool IsFifo(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
}

// Keeps a FIFO open for reading without blocking and collects what a writer
// sends, until stopped.
class FifoReader {
public:
    explicit FifoReader(const std::string& path) : m_fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {
        m_thread = std::thread([this] {
            char buffer[65536];
            for (;;) {
                const bool last = m_stop;
                ssize_t got = 0;
                while ((got = ::read(m_fd, buffer, sizeof buffer)) > 0)
                    m_bytes.append(buffer, static_cast<size_t>(got));
                if (last) return;
                std::this_thread::sleep_for(5ms);
            }
        });
    }
    ~FifoReader() { Stop(); }
    const std::string& Stop() {
        m_stop = true;
        if (m_thread.joinable()) m_thread.join();
        if (m_fd >= 0) ::close(m_fd);
        m_fd = -1;
        return m_bytes;
    }

private:
    int m_fd;
    std::atomic<bool> m_stop{false};
    std::string m_bytes;
    std::thread m_thread;
};

// Tells whether anybody opened a FIFO for reading: it tries to open the write
// end, which succeeds only then, and closes it at once so that such a reader
// sees the end and nothing hangs.
class FifoWatch {
public:
    explicit FifoWatch(const std::string& path) {
        EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0) << path;
        m_thread = std::thread([this, path] {
            while (!m_stop) {
                const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                if (fd >= 0) {
                    m_opened = true;
                    ::close(fd);
                }
                std::this_thread::sleep_for(5ms);
            }
        });
    }
    ~FifoWatch() { Opened(); }
    bool Opened() {
        m_stop = true;
        if (m_thread.joinable()) m_thread.join();
        return m_opened;
    }

private:
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_opened{false};
    std::thread m_thread;
};

class ExportOutputs : public ::testing::Test {
protected:
    void SetUp() override {
        CreateWordsDatabase(data);
        AddArtFonts(data);
        for (const char* set : {"stampkit", "ransomnote", "lcd", "metal"}) {
            WriteFile(fs::path(data) / "artfonts" / set / "a.gif", kGif);
            WriteFile(fs::path(data) / "artfonts" / set / "space.gif", kGif);
        }
        AddPicture(data, "lib.gif", kGif, 1, 1);
        std::string lines;
        for (int i = 0; i < 40; ++i)
            lines += "wonderful extraordinary words in line number " + std::to_string(i) + "\n";
        WriteFile(scratch / "main.txt", lines);
        const ProgramRun go = Run(Go());
        ASSERT_EQ(go.status, 0) << go.err;
        ASSERT_NE(ReadFile(page).find("lib.gif"), std::string::npos) << "the page uses the picture";
    }
    std::string Go() const {
        return "go --seed 2 --image-volume 3 --words 5 --main " + Quoted(scratch / "main.txt") + " --data " +
               Quoted(data) + " --out " + Quoted(out);
    }
    ProgramRun Run(const std::string& arguments, const std::string& prefix = "") {
        return Tarvex4(arguments, scratch.path(), prefix);
    }
    ProgramRun Export(const std::string& options, const std::string& prefix = "") {
        return Run("export " + Quoted(page) + " " + options, prefix);
    }
    void ExpectNoTemporaryFile() {
        for (const std::string& name : Entries(out)) EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
        for (const std::string& name : Entries(scratch.path())) EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
    }

    ScratchFolder scratch;
    std::string data = scratch / "data";
    std::string out = scratch / "out";
    std::string page = out + "/collage1.html";
};

}  // namespace

TEST_F(ExportOutputs, DevicesAndPipesAreWrittenInPlace) {
    if (::geteuid() == 0) {
        // The null device's numbers, on a node of the test's own.
        const std::string node = scratch / "node.png";
        ASSERT_EQ(::mknod(node.c_str(), S_IFCHR | 0666, ::makedev(1, 3)), 0);
        const ProgramRun run = Export("--png " + Quoted(node));
        EXPECT_EQ(run.status, 0) << run.err;
        struct stat info {};
        ASSERT_EQ(::stat(node.c_str(), &info), 0);
        EXPECT_TRUE(S_ISCHR(info.st_mode)) << "the device was replaced";
    } else {
        std::cout << "not root: the device case is left out\n";
    }

    const std::string fifo = scratch / "pipe.png";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    FifoReader reader(fifo);
    const ProgramRun run = Export("--png " + Quoted(fifo));
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string bytes = reader.Stop();
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_TRUE(IsFifo(fifo));
    ExpectNoTemporaryFile();
}

TEST_F(ExportOutputs, AFullDiskFailsTheDocumentAndLeavesNoPieceOfIt) {
    for (const std::string kind : {"pdf", "svg"}) {
        SCOPED_TRACE(kind);
        const std::string whole = scratch / ("whole." + kind);
        ASSERT_EQ(Export("--" + kind + " " + Quoted(whole)).status, 0);
        ASSERT_GT(ReadFile(whole).size(), 8192u) << "the limit below must stop the document half way";

        const std::string kept = scratch / ("kept." + kind);
        const std::string fresh = scratch / ("fresh." + kind);
        WriteFile(kept, "the previous document");
        for (const std::string& target : {kept, fresh}) {
            // 4 blocks of 512 or 1024 bytes.
            const ProgramRun run = Export("--" + kind + " " + Quoted(target), "trap '' XFSZ; ulimit -f 4;");
            EXPECT_EQ(run.status, 1) << run.err;
            EXPECT_NE(run.err.find(target), std::string::npos) << run.err;
            EXPECT_EQ(run.err.find("libpng"), std::string::npos) << run.err;
        }
        EXPECT_EQ(ReadFile(kept), "the previous document");
        EXPECT_FALSE(fs::exists(fresh));
    }
    ExpectNoTemporaryFile();
}

TEST_F(ExportOutputs, TheOutputNeverReplacesThePageOrItsPictures) {
    const std::string before = ReadFile(page);
    const std::string picture = out + "/lib.gif";
    fs::create_symlink(page, scratch / "alias.html");
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"--png " + Quoted(page), page},
        {"--svg " + Quoted(scratch / "alias.html"), page},
        {"--pdf " + Quoted(picture), picture},
        // Named from elsewhere, still the same file.
        {"--png " + Quoted(out + "/../out/lib.gif"), picture},
    };
    for (const auto& [options, input] : refused) {
        SCOPED_TRACE(options);
        const ProgramRun run = Export(options);
        EXPECT_EQ(run.status, 1) << run.err;
        EXPECT_NE(run.err.find(input), std::string::npos) << run.err;
    }
    EXPECT_EQ(ReadFile(page), before);
    EXPECT_EQ(ReadFile(picture), kGif);

    // GO drawing its new page over that very page.
    const ProgramRun go = Run(Go() + " --png " + Quoted(page));
    EXPECT_EQ(go.status, 1) << go.err;
    EXPECT_NE(go.err.find(page), std::string::npos) << go.err;
    EXPECT_EQ(ReadFile(page).rfind("<", 0), 0u) << "the page is still a page";
    ExpectNoTemporaryFile();
}

TEST_F(ExportOutputs, InputsThatNeverEndAreNotRead) {
    // A picture beside the page that is a pipe: drawn as missing, not waited for.
    fs::remove(out + "/lib.gif");
    {
        FifoWatch picture(out + "/lib.gif");
        const ProgramRun run = Export("--png " + Quoted(scratch / "drawn.png"));
        EXPECT_EQ(run.status, 1) << run.err;
        EXPECT_NE(run.err.find("lib.gif"), std::string::npos) << run.err;
        EXPECT_TRUE(fs::exists(scratch / "drawn.png"));
        EXPECT_FALSE(picture.Opened()) << "the export waited on the pipe";
    }
    // A page that is a pipe or a folder.
    const std::string pipePage = scratch / "pipe.html";
    FifoWatch watch(pipePage);
    for (const std::string& command : {"export " + Quoted(pipePage) + " --png " + Quoted(scratch / "x.png"),
                                       "board " + Quoted(pipePage), "export " + Quoted(out) + " --png x.png"}) {
        SCOPED_TRACE(command);
        const ProgramRun run = Run(command);
        EXPECT_EQ(run.status, 1) << run.err;
        EXPECT_NE(run.err.find(command.find(out) != std::string::npos ? out : pipePage), std::string::npos) << run.err;
    }
    EXPECT_FALSE(watch.Opened()) << "a pipe given as the page was opened";
    EXPECT_FALSE(fs::exists(scratch / "x.png"));
}

namespace {

// The pid of a child of `parent` named `name`, or 0.
pid_t ChildNamed(pid_t parent, const std::string& name) {
    for (const auto& entry : fs::directory_iterator("/proc")) {
        const std::string stat = ReadFile(entry.path() / "stat");
        // pid (comm) state ppid ...
        const size_t close = stat.rfind(')');
        if (close == std::string::npos || stat.find("(" + name + ")") == std::string::npos) continue;
        std::istringstream rest(stat.substr(close + 2));
        char state = 0;
        pid_t ppid = 0;
        rest >> state >> ppid;
        if (ppid == parent) return static_cast<pid_t>(std::stoi(entry.path().filename().string()));
    }
    return 0;
}

bool Running(pid_t pid) {
    const std::string stat = ReadFile("/proc/" + std::to_string(pid) + "/stat");
    const size_t close = stat.rfind(')');
    return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] != 'Z' && stat[close + 2] != 'X';
}

template <typename Done>
bool WaitFor(Done done, std::chrono::seconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

}  // namespace

TEST_F(ExportOutputs, StoppingTarvex4StopsItsExport) {
    // Pipes nobody writes or reads, as the picture and the output: the
    // export waits on one of them until it is stopped.
    fs::remove(out + "/lib.gif");
    ASSERT_EQ(::mkfifo((out + "/lib.gif").c_str(), 0600), 0);
    const std::string fifo = scratch / "unread.png";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::vector<std::string> arguments = {TARVEX4_EXE, "export", page, "--png", fifo};
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
    pid_t tarvex4 = 0;
    ASSERT_EQ(::posix_spawn(&tarvex4, TARVEX4_EXE, nullptr, nullptr, argv.data(), environ), 0);
    pid_t exporter = 0;
    const bool started = WaitFor([&] { return (exporter = ChildNamed(tarvex4, "tarvex4-export")) != 0; }, 60s);
    EXPECT_TRUE(started);

    ::kill(tarvex4, SIGTERM);
    int status = 0;
    const bool ended = WaitFor([&] { return ::waitpid(tarvex4, &status, WNOHANG) == tarvex4; }, 60s);
    EXPECT_TRUE(ended);
    if (!ended) {
        ::kill(tarvex4, SIGKILL);
        ::waitpid(tarvex4, &status, 0);
    }
    EXPECT_NE(status, 0);
    if (started) {
        EXPECT_TRUE(WaitFor([&] { return !Running(exporter); }, 30s)) << "the export program was left running";
        if (Running(exporter)) ::kill(exporter, SIGKILL);
    }
    EXPECT_TRUE(IsFifo(fifo));
}
