// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <string>

// Gives the running QApplication the program's name and look.
void PrepareApplication();

// Opens the main window and runs the event loop; returns the exit status.
// `connected` is called once the application holds its display.
int RunWindow(int argc, char** argv, const std::function<void()>& connected = {});

// Says on stderr that the window has no display (`why`) and how to work
// without one; returns the exit status, 1.
int SayNoDisplay(const std::string& why);
