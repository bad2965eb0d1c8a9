// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of the window start: a bare Qt main window of the size of
// tarvex4's (800 x 600 at 50, 50, Fusion style), shown and left running.
// With --text it also shows a menu and a line of text, so that its start
// includes loading the font database, as any window with text does.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStyleFactory>

#include <cstring>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    const bool withText = argc > 1 && std::strcmp(argv[1], "--text") == 0;
    QMainWindow window;
    window.setWindowTitle("bare window");
    window.setGeometry(50, 50, 800, 600);
    window.setFixedSize(800, 600);
    if (withText) {
        window.menuBar()->addMenu("&File");
        window.setCentralWidget(new QLabel("Additional Text Inputs:"));
    }
    window.showNormal();
    return app.exec();
}
