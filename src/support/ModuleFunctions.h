// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <initializer_list>
#include <string>
#include <vector>

// Opens the module at `path` for the rest of the run (never closed: the
// libraries it brings, libvips and GLib, Qt's printing, do not expect to be
// unloaded) and looks up the functions `names`. All found: their addresses in
// the order asked. Otherwise nothing, and `why` says what the loader said.
std::vector<void*> ModuleFunctions(const std::string& path, std::initializer_list<const char*> names, std::string& why);
