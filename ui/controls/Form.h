#pragma once

#include <QDialog>
#include <QWidget>

#include "SystemColors.h"

namespace miravane {

// A window's border as its design states it: sizeable (the toolkit's default), or a fixed
// dialog frame with a title bar and a close box only. Designer writes, say,
// miravane::BorderStyle::bsDialog.
namespace BorderStyle {
Q_NAMESPACE
enum Name { bsSizeable, bsDialog };
Q_ENUM_NS(Name)
}  // namespace BorderStyle

// What a window's design says of it beyond Qt's own properties: its border, the height of its
// default font in pixels, and its colours. What concerns the window's frame applies only where
// the form is a window of its own, as in the program and Designer's preview; in Designer's form
// editor it is a child and keeps its design size. When the window is first polished, before it
// is shown, its fonts are named by the installed family (DesignLook.h) and its auto-sized texts
// fitted to their text.
class WindowDesign {
public:
    BorderStyle::Name borderStyle() const { return borderStyle_; }
    void setBorderStyle(BorderStyle::Name style);
    int fontHeight() const;
    void setFontHeight(int pixels);
    SystemColor::Name color() const { return color_; }
    void setColor(SystemColor::Name color);
    SystemColor::Name fontColor() const { return fontColor_; }
    void setFontColor(SystemColor::Name color);

protected:
    explicit WindowDesign(QWidget* window) : window_(window) {}
    // From the window's event(): acts on its first polish.
    void settle(QEvent* event);

private:
    QWidget* window_;
    BorderStyle::Name borderStyle_ = BorderStyle::bsSizeable;
    SystemColor::Name color_ = SystemColor::clBtnFace;
    SystemColor::Name fontColor_ = SystemColor::clWindowText;
};

// The window a design is drawn on: Form a plain window, DialogForm a dialog.
class Form : public QWidget, public WindowDesign {
    Q_OBJECT
    Q_PROPERTY(miravane::BorderStyle::Name borderStyle READ borderStyle WRITE setBorderStyle)
    Q_PROPERTY(int fontHeight READ fontHeight WRITE setFontHeight)
    Q_PROPERTY(miravane::SystemColor::Name color READ color WRITE setColor)
    Q_PROPERTY(miravane::SystemColor::Name fontColor READ fontColor WRITE setFontColor)

public:
    explicit Form(QWidget* parent = nullptr);

protected:
    bool event(QEvent* event) override;
};

class DialogForm : public QDialog, public WindowDesign {
    Q_OBJECT
    Q_PROPERTY(miravane::BorderStyle::Name borderStyle READ borderStyle WRITE setBorderStyle)
    Q_PROPERTY(int fontHeight READ fontHeight WRITE setFontHeight)
    Q_PROPERTY(miravane::SystemColor::Name color READ color WRITE setColor)
    Q_PROPERTY(miravane::SystemColor::Name fontColor READ fontColor WRITE setFontColor)

public:
    explicit DialogForm(QWidget* parent = nullptr);

protected:
    bool event(QEvent* event) override;
};

}  // namespace miravane
