#include "MessageBoxes.h"

#include <QMessageBox>
#include <QScreen>

#include "AppInfo.h"
#include "Desktop.h"
#include "PictureBox.h"

namespace miravane {
namespace {

// Centred on the screen by its outer rectangle. The box knows its final size only in its own
// show event, so it is placed after that, still before it is mapped.
class CentredMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        placement_.onShow(this);
    }

private:
    FirstShowPlacement placement_{[this](QSize outer) {
        const QScreen* on = screen();
        return on ? centredOverOwner(on->geometry(), outer) : frameGeometry().topLeft();
    }};
};

void showBox(QMessageBox::Icon icon, const QString& text) {
    // No parent: the box blocks every window of the program.
    CentredMessageBox box(icon, QString::fromUtf8(kApplicationTitle), text, QMessageBox::Ok);
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

void showDecodeFailuresOf(QWidget* window) {
    for (PictureBox* picture : window->findChildren<PictureBox*>())
        QObject::connect(picture, &PictureBox::decodeFailed, window, &showErrorMessage);
}

}  // namespace miravane
