// SPDX-License-Identifier: GPL-3.0-or-later
// tarvex4: with no argument, the window program at once; with arguments, the
// command line, a module (tarvex4-commands.so) loaded here. The window's
// start so loads only the C library before it execs: the command line's
// libraries (SQLite, utf8proc, the C++ library) cost every start a few
// milliseconds to load, and most starts of the window need none of them.
#include "support/WindowExec.h"

#include <dlfcn.h>
#include <errno.h>
#include <limits.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

namespace {

using CommandsMain = int (*)(int, char**);

// The folder of the window program and the modules, at the installed layout's
// distance from this program (the build tree has the same layout), with a
// slash at the end; false when this program's own path is unknown.
bool ProgramFolder(char (&folder)[PATH_MAX]) {
    const ssize_t length = readlink("/proc/self/exe", folder, sizeof folder - 1);
    if (length <= 0) return false;
    folder[length] = '\0';
    char* slash = strrchr(folder, '/');
    if (slash == nullptr) return false;
    slash[1] = '\0';
    const size_t used = strlen(folder);
    return snprintf(folder + used, sizeof folder - used, "%s/", TARVEX4_WINDOW_FROM_BIN) < int(sizeof folder - used);
}

int StartWindow(const char* folder, char** argv) {
    char program[PATH_MAX + 32];
    snprintf(program, sizeof program, "%starvex4-window", folder);
    return ExecWindowProgram(program, argv);
}

int RunCommands(const char* folder, int argc, char** argv) {
    char module[PATH_MAX + 32];
    snprintf(module, sizeof module, "%starvex4-commands.so", folder);
    // Bound as each function is first called, as a linked-in program is.
    void* handle = dlopen(module, RTLD_LAZY | RTLD_LOCAL);
    auto run = handle != nullptr ? reinterpret_cast<CommandsMain>(dlsym(handle, "tarvex4_commands_main")) : nullptr;
    if (run == nullptr) {
        fprintf(stderr, "tarvex4: cannot load its commands from %s: %s\nReinstall tarvex4.\n", module, dlerror());
        return 1;
    }
    return run(argc, argv);
}

}  // namespace

int main(int argc, char** argv) {
    char folder[PATH_MAX];
    if (!ProgramFolder(folder)) {
        fprintf(stderr, "tarvex4: cannot find where it is installed (/proc/self/exe: %s)\n", strerror(errno));
        return 1;
    }
    return argc < 2 ? StartWindow(folder, argv) : RunCommands(folder, argc, argv);
}
