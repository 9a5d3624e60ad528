#include "Application.h"

#include "AppInfo.h"
#include "DesignLook.h"
#include "FrameStyle.h"
#include "MessageBoxes.h"

namespace miravane {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QString::fromUtf8(kApplicationTitle));
    // Lets desktops match the window to its menu entry.
    setDesktopFileName(QString::fromUtf8(kDesktopFileName));
    installDesignFonts();
    // The desktop's style, or the one asked for with -style, under the designs' frames.
    setStyle(new FrameStyle);
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportFailure(std::current_exception());
        return false;
    }
}

void reportFailure(std::exception_ptr failure) {
    QString message;
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& e) {
        message = QString::fromUtf8(e.what());
    } catch (...) {
        // Not a failure of ours: it is shown, with nothing to say about it.
    }
    showErrorMessage(message);
}

}  // namespace miravane
