#include "app/RunWindow.h"

#include <QApplication>
#include <QMainWindow>

int RunWindow(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow frame;
    frame.setWindowTitle("tarvex4");
    frame.setGeometry(50, 50, 800, 600);
    frame.show();
    return app.exec();
}
