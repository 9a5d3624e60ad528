#include "Form.h"

#include <QEvent>

#include "Accessibility.h"
#include "DesignLook.h"
#include "StaticText.h"

namespace miravane {

// A fixed dialog frame: a fixed size, a title bar with a close box only.
void WindowDesign::setBorderStyle(BorderStyle::Name style) {
    borderStyle_ = style;
    if (!window_->isWindow() || style != BorderStyle::bsDialog) return;
    window_->setWindowFlags(window_->windowType() | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    window_->setFixedSize(window_->size());
}

int WindowDesign::fontHeight() const { return window_->font().pixelSize(); }

void WindowDesign::setFontHeight(int pixels) { miravane::setFontHeight(window_, pixels); }

void WindowDesign::setColor(SystemColor::Name color) { fillBackground(window_, color_ = color); }

void WindowDesign::setFontColor(SystemColor::Name color) { colourText(window_, fontColor_ = color); }

// Before the window is first measured or drawn: its fonts in the installed family, and its
// auto-sized texts fitted to their text in them.
void WindowDesign::settle(QEvent* event) {
    if (event->type() != QEvent::Polish || !window_->isWindow()) return;
    nameInstalledFonts(window_);
    for (StaticText* text : window_->findChildren<StaticText*>()) text->fitToText();
}

Form::Form(QWidget* parent) : QWidget(parent), WindowDesign(this) { installAccessibility(); }

bool Form::event(QEvent* event) {
    settle(event);
    return QWidget::event(event);
}

DialogForm::DialogForm(QWidget* parent) : QDialog(parent), WindowDesign(this) {}

bool DialogForm::event(QEvent* event) {
    settle(event);
    return QDialog::event(event);
}

}  // namespace miravane
