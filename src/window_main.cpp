// tarvex4-window: the window of tarvex4. Users start it as `tarvex4` (with no
// argument or a file argument); it lives apart so that the sub-commands never
// load Qt.
#include "app/RunWindow.h"

int main(int argc, char** argv) { return RunWindow(argc, argv); }
