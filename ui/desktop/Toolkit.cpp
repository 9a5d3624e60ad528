#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include <QAccessible>
#include <QGuiApplication>
#include <QString>
#include <QtGlobal>

#include "Desktop.h"
#include "SessionBus.h"
#include "TextEncoding.h"

namespace miravane {
namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

std::vector<HeldMessage>* held = nullptr;

void writeHeldMessages() {
    for (const HeldMessage& message : *held)
        qt_message_output(message.type, QMessageLogContext(nullptr, 0, nullptr, message.category.constData()),
                          message.text);
}

// The toolkit's words for a platform plugin it found but could not start: it could not open
// its display. (A plugin it could not find at all has words of its own.)
bool displayCouldNotBeOpened() {
    for (const HeldMessage& message : *held)
        if (message.text.contains(QLatin1String("even though it was found"))) return true;
    return false;
}

// A fatal message here means the toolkit cannot start, and would abort the process (a core
// dump) once it has said so. Where it could not open a display, one line says which display it
// tried; otherwise its own words say why (which platform plugin is missing, which there are).
void holdOrEnd(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        held->push_back({type, QByteArray(context.category ? context.category : ""), text});
        return;
    }
    qInstallMessageHandler(nullptr);
    if (displayCouldNotBeOpened()) {
        std::fputs((noDisplayMessage() + "\n").c_str(), stderr);
    } else {
        writeHeldMessages();
        std::fputs(qPrintable(qFormatLogMessage(type, context, text) + QLatin1Char('\n')), stderr);
    }
    std::fflush(stderr);
    std::_Exit(kCannotStartExitCode);
}

// While it lives, the toolkit's messages are held back; when it goes, they go out as they
// would have.
class HeldToolkitMessages {
public:
    HeldToolkitMessages() {
        held = new std::vector<HeldMessage>;
        qInstallMessageHandler(holdOrEnd);
    }
    ~HeldToolkitMessages() {
        qInstallMessageHandler(nullptr);
        const std::unique_ptr<std::vector<HeldMessage>> messages(held);
        writeHeldMessages();
        held = nullptr;
    }
    HeldToolkitMessages(const HeldToolkitMessages&) = delete;
    HeldToolkitMessages& operator=(const HeldToolkitMessages&) = delete;
};

std::string describe(const char* variable, const char* unsetMeaning) {
    const char* value = std::getenv(variable);
    if (!value || !*value) return std::string(variable) + " " + unsetMeaning;
    return std::string(variable) + "=\"" + value + "\"";
}

}  // namespace

std::string noDisplayMessage() {
    std::string line = "miravane: no display to show the window on: none could be opened (" +
                       describe("DISPLAY", "is not set") + ", " + describe("WAYLAND_DISPLAY", "is not set");
    if (const char* platform = std::getenv("QT_QPA_PLATFORM"); platform && *platform)
        line += std::string(", QT_QPA_PLATFORM=\"") + platform + "\"";
    return line + ")";
}

void startToolkit(const std::function<void()>& makeApplication) {
    const NoAutolaunchedSessionBus bus;
    const HeldToolkitMessages heldWhileStarting;
    makeApplication();
    preferUtf8Characters();
    // The toolkit's D-Bus users connect when first needed: the accessibility bridge when first
    // asked whether a screen reader listens. It is asked now, while the process names the bus it
    // is to use; afterwards the environment is again as it was given.
    (void)QAccessible::isActive();
}

void endWhereTheToolkitMightHang(int exitCode) {
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) return;
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

}  // namespace miravane
