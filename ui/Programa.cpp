#include "Programa.h"

#include <optional>

#include <QIcon>
#include <QPixmap>
#include <QWidget>

#include "Application.h"
#include "Bitmap16.h"
#include "Desktop.h"
#include "Fmainform.h"

namespace miravane {

std::unique_ptr<QWidget> makeMainForm() { return std::make_unique<TMainForm>(); }

int runProgram(const char* programPath, const MainFormFactory& makeForm) {
    // Only the program's path reaches Qt, so no command-line option is ever interpreted.
    int argc = 1;
    char* argv[] = {const_cast<char*>(programPath), nullptr};
    std::optional<Application> application;
    startToolkit([&] { application.emplace(argc, argv); });
    Application& app = *application;
    try {
        app.setWindowIcon(QIcon(QPixmap::fromImage(withBottomLeftTransparent(loadBitmap16(":/icon.bmp")))));
        const std::unique_ptr<QWidget> mainForm = makeForm();
        mainForm->show();
        app.exec();
    } catch (...) {
        reportFailure(std::current_exception());
    }
    endWhereTheToolkitMightHang(0);
    return 0;
}

}  // namespace miravane
