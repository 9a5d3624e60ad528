#include "StaticText.h"

#include <QEvent>

#include "DesignLook.h"

namespace miravane {

StaticText::StaticText(QWidget* parent) : QLabel(parent) {}

void StaticText::setColor(SystemColor::Name color) {
    color_ = color;
    fillBackground(this, color);
    colourText(this, fontColor_);
}

void StaticText::setFontColor(SystemColor::Name color) {
    fontColor_ = color;
    colourText(this, color);
}

void StaticText::setFontHeight(int pixels) { miravane::setFontHeight(this, pixels); }

void StaticText::fitToText() {
    if (!autoSize_) return;
    const int width = sizeHint().width();
    const int left = alignment().testFlag(Qt::AlignRight) ? geometry().right() + 1 - width : x();
    setGeometry(left, y(), width, height());
}

void StaticText::changeEvent(QEvent* event) {
    // The text colour is paired with the background in the palette of the moment.
    if (event->type() == QEvent::PaletteChange) colourText(this, fontColor_);
    QLabel::changeEvent(event);
}

}  // namespace miravane
