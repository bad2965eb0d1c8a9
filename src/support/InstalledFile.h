// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

// Where a file installed with the window program (libexec/tarvex4: the window
// and export programs, the modules) is, seen from the running program:
// beside it when it runs from that folder, else at the installed layout's
// distance from bin/tarvex4 (the build tree has the same layout). A
// `chosenBy` environment variable that is set and not empty names the file
// instead.
std::string InstalledFile(const std::string& name, const char* chosenBy = nullptr);
