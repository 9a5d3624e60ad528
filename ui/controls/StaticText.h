#pragma once

#include <QLabel>

#include "SystemColors.h"

namespace miravane {

// A text control: a label with a background colour, a text colour, a font height in pixels,
// and, if it is to, as wide as its text. Without a colour its background is its parent's.
class StaticText : public QLabel {
    Q_OBJECT
    Q_PROPERTY(miravane::SystemColor::Name color READ color WRITE setColor)
    Q_PROPERTY(miravane::SystemColor::Name fontColor READ fontColor WRITE setFontColor)
    Q_PROPERTY(int fontHeight READ fontHeight WRITE setFontHeight)
    Q_PROPERTY(bool autoSize READ autoSize WRITE setAutoSize)

public:
    explicit StaticText(QWidget* parent = nullptr);

    SystemColor::Name color() const { return color_; }
    void setColor(SystemColor::Name color);

    SystemColor::Name fontColor() const { return fontColor_; }
    void setFontColor(SystemColor::Name color);

    int fontHeight() const { return font().pixelSize(); }
    void setFontHeight(int pixels);

    // Only noted here: a control that moved as its properties were read would leave Designer a
    // place that depends on the order it reads them in. The window fits it (fitToText).
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool autoSize) { autoSize_ = autoSize; }

    // An auto-sized text made as wide as its font draws it; a right-aligned one keeps its right edge.
    void fitToText();

protected:
    void changeEvent(QEvent* event) override;

private:
    SystemColor::Name color_ = SystemColor::clBtnFace;
    SystemColor::Name fontColor_ = SystemColor::clWindowText;
    bool autoSize_ = false;
};

}  // namespace miravane
