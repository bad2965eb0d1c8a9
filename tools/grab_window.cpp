// SPDX-License-Identifier: GPL-3.0-or-later
// tarvex4-grab-window OUTPUT.png [TRACK1.png]: starts the window as tarvex4
// does, saves it (and the first track window, which opens with it) as a PNG
// once it is drawn, and quits (scripts/grab_window.sh runs it).
#include "app/CMainFrame.h"
#include "app/Ctarvex4App.h"
#include "app/RunWindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cstdio>

namespace {

// Fonts and pictures are drawn by then, also on a slow X server.
constexpr int kSettleMs = 1500;

QPixmap PictureOf(QWidget& frame) {
    QPixmap picture;
    // A real screen shows the window as the window system drew it.
    if (QGuiApplication::platformName() != "offscreen" && frame.screen())
        picture = frame.screen()->grabWindow(frame.winId());
    if (picture.isNull()) picture = frame.grab();
    return picture;
}

bool Save(QWidget* window, const QString& path) {
    const bool saved = window && PictureOf(*window).save(path, "PNG");
    std::fprintf(stderr, "%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
    return saved;
}

QWidget* FirstTrackWindow() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->windowTitle().endsWith("TRACK 1")) return window;
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: tarvex4-grab-window OUTPUT.png [TRACK1.png]\n");
        return 2;
    }
    QApplication app(argc, argv);
    PrepareApplication();
    const QString path = QString::fromLocal8Bit(argv[1]);
    const QString trackPath = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString();
    Ctarvex4App program;
    if (!program.InitInstance({})) return 1;
    CMainFrame* frame = program.Frame();
    QTimer::singleShot(kSettleMs, frame, [frame, path, trackPath] {
        bool saved = Save(frame, path);
        if (!trackPath.isEmpty()) saved = Save(FirstTrackWindow(), trackPath) && saved;
        QApplication::exit(saved ? 0 : 1);
    });
    return app.exec();
}
