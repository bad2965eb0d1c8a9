#pragma once

// Opens the main window and runs the event loop; returns the exit status.
int RunWindow(int argc, char** argv);
