// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace cli {

// Where the window program is: beside this program's own executable, at the
// installed layout's distance (the build tree has the same layout).
std::string WindowProgramPath();

// Replaces this process with the window program, passing the arguments on.
// Returns only when that fails, with the exit status after saying why.
int StartWindowProgram(int argc, char** argv);

}  // namespace cli
