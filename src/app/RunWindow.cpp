// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RunWindow.h"

#include "app/Ctarvex4App.h"
#include "app/BuiltPictures.h"

#include <QApplication>
#include <QStyleFactory>

#include <cstdio>
#include <cstdlib>

namespace {

bool HasDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
    return false;
}

}  // namespace

void PrepareApplication() {
    QApplication::setApplicationName("tarvex4");
    QApplication::setDesktopFileName("tarvex4");
    // One look everywhere, so the form's pixel layout holds.
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    UseBuiltPictures(kBuiltPictures, kBuiltPictureCount);
}

int SayNoDisplay(const std::string& why) {
    std::fprintf(stderr,
                 "tarvex4: there is no display to open the window on (%s).\n"
                 "Run it from a desktop session, under xvfb-run, or build a collage without a window:\n"
                 "  tarvex4 go --help\n"
                 "  tarvex4 go --main notes.txt --seed 1 --out /tmp/collages/\n",
                 why.c_str());
    return 1;
}

int RunWindow(int argc, char** argv, const std::function<void()>& connected) {
    if (!HasDisplay()) return SayNoDisplay("DISPLAY and WAYLAND_DISPLAY are unset");
    QApplication app(argc, argv);
    if (connected) connected();
    PrepareApplication();
    Ctarvex4App program;
    if (!program.InitInstance(QApplication::arguments().mid(1))) return 1;
    return app.exec();
}
