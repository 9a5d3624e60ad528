#include "MessageBoxes.h"

#include <QMessageBox>

#include "AppInfo.h"

namespace miravane {
namespace {

void showBox(QMessageBox::Icon icon, const QString& text) {
    // No parent: the box is centred on the screen and blocks every window of the program.
    QMessageBox box(icon, QString::fromUtf8(kApplicationTitle), text, QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
}

}  // namespace

void showMessage(const QString& text) { showBox(QMessageBox::NoIcon, text); }

void showErrorMessage(const QString& text) { showBox(QMessageBox::Critical, withFullStop(text)); }

QString withFullStop(const QString& text) {
    if (text.isEmpty() || text.back() <= QLatin1Char('.')) return text;
    return text + QLatin1Char('.');
}

}  // namespace miravane
