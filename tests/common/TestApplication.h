// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QApplication>

// The one QApplication of a window test program, made on first use, in the
// Fusion style so that sizes and pixels do not depend on the desktop's theme.
inline QApplication& TestApp() {
    static int argc = 1;
    static char name[] = "tarvex4-window-tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        auto* a = new QApplication(argc, argv);
        QApplication::setStyle("Fusion");
        return a;
    }();
    return *app;
}
