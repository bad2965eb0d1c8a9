// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Replaces this process with the window program `program`, passing `argv`
// on (its first entry is set to the program, the list ends with a null).
// Returns only when that fails, with the exit status after saying why on
// stderr. Uses the C library alone, so that `tarvex4` itself, which links
// nothing else, and the command line start the window the same way.
int ExecWindowProgram(const char* program, char** argv);
