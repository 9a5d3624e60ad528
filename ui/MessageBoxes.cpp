#include "MessageBoxes.h"

#include <QMessageBox>
#include <QScreen>

#include "AppInfo.h"
#include "FrameExtents.h"
#include "Placement.h"

namespace miravane {
namespace {

// Centred on the screen by its outer rectangle. The box knows its final size only in its show
// event, after the toolkit has already placed it, so it is placed again there, before it is
// mapped.
class CentredMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        if (placed_) return;
        placed_ = true;
        requestFixedDialogFrame(this);
        if (const QScreen* screen = this->screen())
            placeByOuterSize(this, [screen](QSize outer) { return centredOverOwner(screen->geometry(), outer); });
    }

private:
    bool placed_ = false;
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

}  // namespace miravane
