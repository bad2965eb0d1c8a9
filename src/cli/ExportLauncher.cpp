// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ExportLauncher.h"

#include "cli/WindowLauncher.h"
#include "support/PaperSizes.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <iterator>

extern char** environ;

namespace cli {

namespace {

// The child inherits the descriptor, so the name reaches this program's own
// standard output whatever it is (a pipe, a file, a terminal).
std::string OutputPath(const std::string& file) { return file == "-" ? "/dev/fd/1" : file; }

}  // namespace

std::vector<std::string> ExportRequest::Arguments() const {
    std::vector<std::string> arguments;
    if (!png.empty()) arguments.insert(arguments.end(), {"--png", OutputPath(png)});
    if (!pdf.empty()) arguments.insert(arguments.end(), {"--pdf", OutputPath(pdf)});
    if (!svg.empty()) arguments.insert(arguments.end(), {"--svg", OutputPath(svg)});
    arguments.insert(arguments.end(), {"--scale", scale.empty() ? "1" : scale});
    if (!paper.empty()) arguments.insert(arguments.end(), {"--paper", paper});
    if (!margin.empty()) arguments.insert(arguments.end(), {"--margin", margin});
    if (!title.empty()) arguments.insert(arguments.end(), {"--title", title});
    if (pageNumbers) arguments.push_back("--page-numbers");
    return arguments;
}

void ExportRequest::CheckApplies() const {
    if (!scale.empty() && png.empty()) throw CLI::ValidationError("--scale", "it sizes a PNG picture: give --png FILE");
    if (!paper.empty() && pdf.empty())
        throw CLI::ValidationError("--paper", "it lays out a PDF document: give --pdf FILE");
    const int onStandardOutput = (png == "-") + (pdf == "-") + (svg == "-");
    if (onStandardOutput > 1)
        throw CLI::ValidationError("--png/--pdf/--svg", "only one file can be '-', standard output");
}

void AddExportOptions(CLI::App& command, ExportRequest& request, bool withLayout) {
    command.add_option("--png", request.png, "Draw the collage into the PNG picture FILE ('-': standard output)")
        ->type_name("FILE|-");
    command.add_option("--pdf", request.pdf, "Draw the collage into the PDF document FILE (text stays text)")
        ->type_name("FILE|-");
    command.add_option("--svg", request.svg, "Draw the collage into the SVG drawing FILE")->type_name("FILE|-");
    command.add_option("--title", request.title, "PDF: begin with a title page saying TEXT; also the PDF's title")
        ->type_name("TEXT");
    command.add_flag("--page-numbers", request.pageNumbers, "PDF: number the collages in the bottom margin");
    if (!withLayout) return;
    command.add_option("--scale", request.scale, "With --png: 1 (850 x 1100 pixels and the frame, the default) or 2")
        ->check(CLI::IsMember({"1", "2"}))
        ->type_name("1|2");
    command
        .add_option("--paper", request.paper,
                    "With --pdf: fit the collage, centred, on paper " + JoinedPaperNames(", ", " or ") +
                        "\n(default: a page the collage's own size)")
        ->check(CLI::IsMember(PaperNames(), CLI::ignore_case))
        ->type_name("NAME");
    command.add_option("--margin", request.margin, "PDF on paper: the printable margin each side (default: 5)")
        ->check(CLI::Range(0.0, 99.0))
        ->type_name("MM");
}

std::string ExportProgramPath() {
    const std::string window = WindowProgramPath();
    if (window.empty()) return window;
    return (std::filesystem::path(window).parent_path() / "tarvex4-export").string();
}

namespace {

// The signals that stop tarvex4 from a terminal or a script; while the
// export runs they are passed on to it, and tarvex4 ends when it has.
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

volatile sig_atomic_t g_exportChild = 0;
struct sigaction g_previousActions[std::size(kStopSignals)];
volatile sig_atomic_t g_stopSignal = 0;

void PassOn(int signal) {
    g_stopSignal = signal;
    if (g_exportChild > 0) ::kill(static_cast<pid_t>(g_exportChild), signal);
}

// In the child between fork and exec: only calls that are safe there.
[[noreturn]] void ExecExport(char* const* argv, pid_t parent, int reportFd, const sigset_t& previousMask) {
    for (int signal : kStopSignals) ::signal(signal, SIG_DFL);
    // Ends with tarvex4 even when tarvex4 is killed outright.
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != parent) ::_exit(1);
    ::sigprocmask(SIG_SETMASK, &previousMask, nullptr);
    ::execve(argv[0], argv, environ);
    const int error = errno;
    [[maybe_unused]] const ssize_t ignored = ::write(reportFd, &error, sizeof error);
    ::_exit(127);
}

// Started as a child that stops with tarvex4; 0 or the errno that kept it from starting.
int StartExport(char* const* argv, pid_t& child) {
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) return errno;
    sigset_t stops, previous;
    sigemptyset(&stops);
    for (int signal : kStopSignals) sigaddset(&stops, signal);
    // Held back until the child's pid is known, so none is lost or sent astray.
    ::sigprocmask(SIG_BLOCK, &stops, &previous);
    const pid_t parent = ::getpid();
    child = ::fork();
    if (child == 0) ExecExport(argv, parent, report[1], previous);
    const int forkError = child < 0 ? errno : 0;
    ::close(report[1]);
    if (child > 0) {
        g_exportChild = child;
        g_stopSignal = 0;
        struct sigaction passOn {};
        passOn.sa_handler = PassOn;
        for (size_t i = 0; i < std::size(kStopSignals); ++i)
            ::sigaction(kStopSignals[i], &passOn, &g_previousActions[i]);
    }
    ::sigprocmask(SIG_SETMASK, &previous, nullptr);
    int error = forkError;
    while (child > 0) {
        const ssize_t got = ::read(report[0], &error, sizeof error);
        if (got < 0 && errno == EINTR) continue;
        if (got != static_cast<ssize_t>(sizeof error)) error = 0;  // closed by a successful exec
        break;
    }
    ::close(report[0]);
    return error;
}

int WaitForExport(pid_t child) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) return 1;
    }
    g_exportChild = 0;
    for (size_t i = 0; i < std::size(kStopSignals); ++i) ::sigaction(kStopSignals[i], &g_previousActions[i], nullptr);
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    const int signal = WTERMSIG(status);
    if (signal == g_stopSignal) return 128 + signal;  // stopped by the user, as a shell reports it
    std::cerr << "tarvex4: the export program ended by signal " << signal << " (" << ::strsignal(signal) << ")\n";
    return 1;
}

}  // namespace

int RunExportProgram(const std::string& page, const ExportRequest& request) {
    return RunExportProgram(std::vector<std::string>{page}, request);
}

int RunExportProgram(const std::vector<std::string>& pages, const ExportRequest& request) {
    const std::string program = ExportProgramPath();
    std::vector<std::string> arguments{program};
    arguments.insert(arguments.end(), pages.begin(), pages.end());
    for (std::string& argument : request.Arguments()) arguments.push_back(std::move(argument));
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);

    pid_t child = 0;
    const int error = program.empty() ? ENOENT : StartExport(argv.data(), child);
    if (error != 0) {
        if (child > 0) WaitForExport(child);
        std::cerr << "tarvex4: cannot start the export program " << (program.empty() ? "tarvex4-export" : program)
                  << ": " << std::strerror(error) << "\n";
        return 1;
    }
    return WaitForExport(child);
}

}  // namespace cli
