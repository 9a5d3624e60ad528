// The bare window with one line of text in it: what any Qt Widgets program pays before it can
// draw its first word (the system's font configuration, a font, its glyphs). Not a target;
// it shows how much of the program's start-up is that floor and how much is its own.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "PaintWatch.h"
#include "StartupReport.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(627, 409);
    QLabel line(QStringLiteral("Freeware - share it with your friends"), &window);
    line.move(8, 388);
    miravane::bench::PaintWatch watch({&window, &line}, miravane::bench::reportFirstPaintAndQuit);
    window.show();
    return app.exec();
}
