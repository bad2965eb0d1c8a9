#pragma once

// Gives the running QApplication the program's name and look.
void PrepareApplication();

// Opens the main window and runs the event loop; returns the exit status.
int RunWindow(int argc, char** argv);
