// SPDX-License-Identifier: GPL-3.0-or-later
// Measures how long a program takes from launch until its windows are mapped
// on an X server, the same way for every program:
//   window_start_probe "TITLE" ["TITLE" ...] -- program [args...]
// Prints one line per title: the milliseconds from just before the program is
// started until a window with that title was mapped, and the processor time
// the program had used by then (all its threads; on a busy machine this says
// more than the wall time). Watches the root
// window's children, so run it on an X server without a window manager
// (e.g. a bare Xvfb); the program is ended once every title is seen.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <dirent.h>

#include <signal.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::string TitleOf(Display* display, Window window) {
    char* name = nullptr;
    if (XFetchName(display, window, &name) == 0 || name == nullptr) return {};
    std::string title = name;
    XFree(name);
    return title;
}

int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

// Milliseconds on a processor so far, summed over the threads of `pid`.
double ProcessorMs(pid_t pid) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(tasks.c_str());
    if (dir == nullptr) return 0;
    unsigned long long ns = 0;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.') continue;
        if (FILE* f = std::fopen((tasks + "/" + entry->d_name + "/schedstat").c_str(), "r")) {
            unsigned long long run = 0;
            if (std::fscanf(f, "%llu", &run) == 1) ns += run;
            std::fclose(f);
        }
    }
    closedir(dir);
    return ns / 1e6;
}

struct Seen {
    double wallMs;
    double processorMs;
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> titles;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) titles.emplace_back(argv[i]);
    if (titles.empty() || i + 1 >= argc) {
        std::fprintf(stderr, "usage: window_start_probe TITLE... -- PROGRAM [ARGS...]\n");
        return 2;
    }
    char** program = argv + i + 1;

    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "window_start_probe: cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(IgnoreErrors);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(program[0], program);
        _exit(127);
    }

    std::map<std::string, Seen> seen;
    const int fd = ConnectionNumber(display);
    while (seen.size() < titles.size()) {
        if (Clock::now() - start > std::chrono::seconds(20)) break;
        if (XPending(display) == 0) {
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(fd, &readable);
            timeval wait{0, 100000};
            select(fd + 1, &readable, nullptr, nullptr, &wait);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != MapNotify) continue;
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        const std::string title = TitleOf(display, event.xmap.window);
        for (const std::string& wanted : titles)
            if (title == wanted && !seen.count(wanted)) seen[wanted] = {ms, ProcessorMs(child)};
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);

    for (const std::string& title : titles) {
        auto it = seen.find(title);
        if (it == seen.end()) {
            std::printf("%s\tnot mapped\n", title.c_str());
            return 1;
        }
        std::printf("%s\t%.1f\t%.1f\n", title.c_str(), it->second.wallMs, it->second.processorMs);
    }
    return 0;
}
