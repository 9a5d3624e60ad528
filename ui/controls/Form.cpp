#include "Form.h"

#include <QEvent>

#include "Accessibility.h"
#include "DesignLook.h"
#include "StaticText.h"

namespace miravane {
namespace {

// A fixed dialog frame: a fixed size, a title bar with a close box only.
void applyBorderStyle(QWidget* window, BorderStyle::Name style) {
    if (!window->isWindow() || style != BorderStyle::bsDialog) return;
    window->setWindowFlags(window->windowType() | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    window->setFixedSize(window->size());
}

// Before the window is first measured or drawn: its fonts in the installed family, and its
// auto-sized texts fitted to their text in them.
void settleDesign(QWidget* window, QEvent* event) {
    if (event->type() != QEvent::Polish || !window->isWindow()) return;
    nameInstalledFonts(window);
    for (StaticText* text : window->findChildren<StaticText*>()) text->fitToText();
}

}  // namespace

Form::Form(QWidget* parent) : QWidget(parent) { installAccessibility(); }

void Form::setBorderStyle(BorderStyle::Name style) { applyBorderStyle(this, borderStyle_ = style); }
void Form::setFontHeight(int pixels) { miravane::setFontHeight(this, pixels); }
void Form::setColor(SystemColor::Name color) { fillBackground(this, color_ = color); }
void Form::setFontColor(SystemColor::Name color) { colourText(this, fontColor_ = color); }

bool Form::event(QEvent* event) {
    settleDesign(this, event);
    return QWidget::event(event);
}

DialogForm::DialogForm(QWidget* parent) : QDialog(parent) {}

void DialogForm::setBorderStyle(BorderStyle::Name style) { applyBorderStyle(this, borderStyle_ = style); }
void DialogForm::setFontHeight(int pixels) { miravane::setFontHeight(this, pixels); }
void DialogForm::setColor(SystemColor::Name color) { fillBackground(this, color_ = color); }
void DialogForm::setFontColor(SystemColor::Name color) { colourText(this, fontColor_ = color); }

bool DialogForm::event(QEvent* event) {
    settleDesign(this, event);
    return QDialog::event(event);
}

}  // namespace miravane
