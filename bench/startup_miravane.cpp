// The program as it starts for the user (its own entry, its own main window), ending at the
// main window's first complete paint: the banner and the 22 card backs decoded and drawn.
#include <memory>

#include "Controls.h"
#include "Fmainform.h"
#include "PaintWatch.h"
#include "PictureBox.h"
#include "Programa.h"
#include "StartupReport.h"

int main(int, char** argv) {
    using namespace miravane;
    return runProgram(argv[0], []() -> std::unique_ptr<QWidget> {
        auto form = std::make_unique<TMainForm>();
        QList<QWidget*> painted{form.get(), testing::control(*form, "Image1")};
        for (int p = 0; p < kNumCartas; ++p) painted.append(testing::cardAt(*form, p));
        auto* watch = new bench::PaintWatch(painted, bench::reportFirstPaintAndQuit);
        watch->setParent(form.get());
        return form;
    });
}
