// What any Qt Widgets program pays to put a window of the main window's size on the screen:
// the floor the program's start-up is compared against.
#include <QApplication>
#include <QWidget>

#include "PaintWatch.h"
#include "StartupReport.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(627, 409);
    miravane::bench::PaintWatch watch({&window}, miravane::bench::reportFirstPaintAndQuit);
    window.show();
    return app.exec();
}
