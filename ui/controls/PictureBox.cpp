#include "PictureBox.h"

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QScreen>
#include <QToolTip>

#include "Accessibility.h"

namespace miravane {
namespace {

DecodeDepth displayDepth(const QWidget* widget) {
    const QScreen* screen = widget->screen();
    return decodeDepthForDisplay(screen ? screen->depth() : 32);
}

}  // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    installAccessibility();
    setFocusPolicy(Qt::NoFocus);
    // Coarse timers may fire up to 5 % early, which the hint's two pauses cannot afford.
    hintTimer_.setTimerType(Qt::PreciseTimer);
    hintTimer_.setSingleShot(true);
    hintTimer_.setInterval(kHintPauseMs);
    connect(&hintTimer_, &QTimer::timeout, this, &PictureBox::showHint);
    hintHideTimer_.setTimerType(Qt::PreciseTimer);
    hintHideTimer_.setSingleShot(true);
    hintHideTimer_.setInterval(kHintHidePauseMs);
    connect(&hintHideTimer_, &QTimer::timeout, this, &PictureBox::hideHint);
}

void PictureBox::setPictureResource(const QString& path) {
    resource_ = path;
    setPicture(path.isEmpty() ? JpegPicture() : JpegPicture::fromResource(path));
}

void PictureBox::setCenter(bool center) {
    center_ = center;
    update();
}

void PictureBox::setAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    fitToPicture();
}

void PictureBox::setPicture(const JpegPicture& picture) {
    picture_ = picture;
    fitToPicture();
    update();
}

void PictureBox::fitToPicture() {
    if (autoSize_ && !picture_.isEmpty() && picture_.size().isValid()) resize(picture_.size());
}

QPoint PictureBox::pictureOffset() const {
    if (!center_) return {0, 0};
    const QSize picture = picture_.size();
    // Integer division truncates toward zero, so a wider picture loses one column more on the right.
    return {(width() - picture.width()) / 2, (height() - picture.height()) / 2};
}

bool PictureBox::answersClicks() const { return isSignalConnected(QMetaMethod::fromSignal(&PictureBox::clicked)); }

void PictureBox::paintEvent(QPaintEvent*) {
    if (picture_.isEmpty()) return;
    QPainter painter(this);
    // The ratio of the surface drawn on: the screen's, or that of an image the control is rendered into.
    const qreal ratio = painter.paintEngine()->paintDevice()->devicePixelRatioF();
    if (ratio > 1 && paintTwiceTheSize(painter, ratio)) return;
    const QImage& image = picture_.image(displayDepth(this), shownColumns(1));
    if (image.isNull()) {
        reportDecodeFailure();
        return;
    }
    painter.drawImage(pictureOffset(), image);
}

// Above 96 dpi the picture drawn at twice the size fills the picture's place: pixel for pixel
// at a ratio of 2, smoothly resampled at any other, so that no column of the art comes out
// wider than its neighbours. False if there is no such picture to draw.
bool PictureBox::paintTwiceTheSize(QPainter& painter, qreal ratio) {
    const JpegPicture twice = picture_.twiceTheSize();
    if (twice.isEmpty() || twice.size() != picture_.size() * 2) return false;
    const QImage& image = twice.image(displayDepth(this), shownColumns(2));
    if (image.isNull()) return false;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, ratio != 2);
    painter.drawImage(QRect(pictureOffset(), picture_.size()), image);
    return true;
}

// A centred picture wider than the control is cut on both sides, and the columns cut off are
// never seen: they are not decoded (the banner loses a twelfth on either side). In the pixels
// of the picture drawn at `scale` times the size.
JpegColumns PictureBox::shownColumns(int scale) const {
    const int left = pictureOffset().x();
    return {-left * scale, (width() - left) * scale};
}

void PictureBox::reportDecodeFailure() {
    const QString failure = picture_.takeFailureToReport();
    if (failure.isEmpty()) return;
    // Not from inside the paint: whoever is told may show a box, which runs an event loop.
    QMetaObject::invokeMethod(
        this, [this, failure] { emit decodeFailed(failure); }, Qt::QueuedConnection);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click) emit clicked();
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent*) {
    // The second press of a double-click starts no click of its own.
    pressed_ = false;
}

bool PictureBox::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::Enter:
        if (!toolTip().isEmpty()) hintTimer_.start();
        break;
    case QEvent::Leave:
        hintTimer_.stop();
        hideHint();
        break;
    case QEvent::ToolTip:
        return true;  // shown by our own timer, with our own delays
    default:
        break;
    }
    return QWidget::event(event);
}

void PictureBox::showHint() {
    if (!underMouse()) return;
    const QPoint cursor = QCursor::pos();
    // Placed below the pointer, as the desktop places hints. The toolkit's own expiry runs on a
    // coarse timer, so it is set later than ours and ours hides the hint.
    QToolTip::showText(cursor + QPoint(0, 20), toolTip(), this, QRect(), 2 * kHintHidePauseMs);
    hintHideTimer_.start();
}

void PictureBox::hideHint() {
    hintHideTimer_.stop();
    if (!QToolTip::isVisible()) return;
    // QToolTip::hideText() fades the hint out over a further 300 ms; the hint's own window
    // goes at once.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->inherits("QTipLabel") && window->isVisible()) window->hide();
}

}  // namespace miravane
