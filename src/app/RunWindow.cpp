#include "app/RunWindow.h"

#include "app/CMainFrame.h"
#include "app/Ctarvex4App.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
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

// For screenshots (scripts/grab_window.sh): once the window is drawn, save it
// to the PNG named by TARVEX4_GRAB_WINDOW and quit.
void GrabWhenShown(CMainFrame* frame) {
    const char* target = std::getenv("TARVEX4_GRAB_WINDOW");
    if (!target || !*target) return;
    const QString path = QString::fromLocal8Bit(target);
    QTimer::singleShot(1500, frame, [frame, path] {
        QPixmap picture;
        // A real screen shows the window as the window system drew it.
        if (QGuiApplication::platformName() != "offscreen" && frame->screen())
            picture = frame->screen()->grabWindow(frame->winId());
        if (picture.isNull()) picture = frame->grab();
        const bool saved = picture.save(path, "PNG");
        std::fprintf(stderr, "%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
        QApplication::exit(saved ? 0 : 1);
    });
}

}  // namespace

int RunWindow(int argc, char** argv) {
    if (!HasDisplay()) {
        std::fprintf(stderr,
                     "tarvex4: there is no display to open the window on (DISPLAY and WAYLAND_DISPLAY are unset).\n"
                     "Run it from a desktop session, under xvfb-run, or build a collage without a window:\n"
                     "  tarvex4 go --help\n"
                     "  tarvex4 go --main notes.txt --seed 1 --out /tmp/collages/\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("tarvex4");
    QApplication::setDesktopFileName("tarvex4");
    // One look everywhere, so the form's pixel layout holds.
    QApplication::setStyle(QStyleFactory::create("Fusion"));

    Ctarvex4App program;
    if (!program.InitInstance(QApplication::arguments().mid(1))) return 1;
    GrabWhenShown(program.Frame());
    return app.exec();
}
