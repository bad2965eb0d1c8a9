// The yardstick of the window start: a bare Qt main window of the size of
// tarvex4's (800 x 600 at 50, 50, Fusion style), shown and left running.
#include <QApplication>
#include <QMainWindow>
#include <QStyleFactory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QMainWindow window;
    window.setWindowTitle("bare window");
    window.setGeometry(50, 50, 800, 600);
    window.setFixedSize(800, 600);
    window.showNormal();
    return app.exec();
}
