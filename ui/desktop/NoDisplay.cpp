#include "Desktop.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include <QtGlobal>
#include <QString>

namespace miravane {
namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

std::vector<HeldMessage>* held = nullptr;

void holdOrEnd(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        const std::string line = noDisplayMessage() + "\n";
        std::fputs(line.c_str(), stderr);
        std::fflush(stderr);
        std::_Exit(kNoDisplayExitCode);
    }
    held->push_back({type, QByteArray(context.category ? context.category : ""), text});
}

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

NoDisplayGuard::NoDisplayGuard() {
    held = new std::vector<HeldMessage>;
    qInstallMessageHandler(holdOrEnd);
}

NoDisplayGuard::~NoDisplayGuard() {
    qInstallMessageHandler(nullptr);
    const std::unique_ptr<std::vector<HeldMessage>> messages(std::exchange(held, nullptr));
    for (const HeldMessage& message : *messages)
        qt_message_output(message.type, QMessageLogContext(nullptr, 0, nullptr, message.category.constData()),
                          message.text);
}

}  // namespace miravane
