// tarvex4-window: the window of tarvex4. Users start it as `tarvex4` (with no
// argument or a file argument); it lives apart so that the sub-commands never
// load Qt.
#include "app/RunWindow.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace {

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// The X display Qt's X11 platform will open, or nothing when another
// platform (Wayland, offscreen, one named by -platform) is Qt's to open.
std::optional<std::string> X11DisplayToOpen(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strncmp(argv[i], "-platform=", 10) == 0) return {};
    }
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr && *platform != '\0') {
        if (std::strncmp(platform, "xcb", 3) != 0 || (platform[3] != '\0' && platform[3] != ':')) return {};
    } else if (Set("WAYLAND_DISPLAY") || !Set("DISPLAY")) {
        return {};  // Wayland, or no display at all (which RunWindow says)
    }
    std::string display = Set("DISPLAY") ? std::getenv("DISPLAY") : "";
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-display") == 0) display = argv[i + 1];
    }
    return display;
}

// Qt aborts the program when the X server cannot be reached; one trial
// connection first lets the window program say so and exit.
bool Reachable(const std::string& display) {
    xcb_connection_t* connection = xcb_connect(display.empty() ? nullptr : display.c_str(), nullptr);
    const bool reached = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return reached;
}

}  // namespace

int main(int argc, char** argv) {
    if (const std::optional<std::string> display = X11DisplayToOpen(argc, argv); display && !Reachable(*display)) {
        return SayNoDisplay(display->empty() ? "DISPLAY is unset" : "the display " + *display + " cannot be reached");
    }
    return RunWindow(argc, argv);
}
