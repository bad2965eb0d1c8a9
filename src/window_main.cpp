// SPDX-License-Identifier: GPL-3.0-or-later
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

// Qt aborts the program when the X server cannot be reached; a trial
// connection first lets the window program say so and exit. It stays open
// until Qt holds its own: an X server that resets when its last client
// leaves (Xvfb, xvfb-run) refuses connections for a moment after that.
class TrialConnection {
public:
    explicit TrialConnection(const std::string& display)
            : m_connection(xcb_connect(display.empty() ? nullptr : display.c_str(), nullptr)) {}
    ~TrialConnection() { Close(); }
    TrialConnection(const TrialConnection&) = delete;
    TrialConnection& operator=(const TrialConnection&) = delete;

    bool Reached() const { return m_connection != nullptr && xcb_connection_has_error(m_connection) == 0; }
    void Close() {
        if (m_connection != nullptr) xcb_disconnect(m_connection);
        m_connection = nullptr;
    }

private:
    xcb_connection_t* m_connection;
};

}  // namespace

int main(int argc, char** argv) {
    const std::optional<std::string> display = X11DisplayToOpen(argc, argv);
    if (!display) return RunWindow(argc, argv);
    TrialConnection trial(*display);
    if (!trial.Reached()) {
        return SayNoDisplay(display->empty() ? "DISPLAY is unset" : "the display " + *display + " cannot be reached");
    }
    return RunWindow(argc, argv, [&trial] { trial.Close(); });
}
