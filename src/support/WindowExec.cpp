// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/WindowExec.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

int ExecWindowProgram(const char* program, char** argv) {
    argv[0] = const_cast<char*>(program);
    execv(program, argv);
    fprintf(stderr,
            "tarvex4: cannot start the window program %s: %s\n"
            "The sub-commands work without it: tarvex4 --help\n",
            program, strerror(errno));
    return 1;
}
