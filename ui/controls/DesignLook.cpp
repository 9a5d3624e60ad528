#include "DesignLook.h"

#include <QFont>
#include <QWidget>

namespace miravane {

void fillBackground(QWidget* widget, SystemColor::Name color) {
    widget->setAutoFillBackground(true);
    widget->setBackgroundRole(paletteRole(color));
}

void colourText(QWidget* widget, SystemColor::Name color) {
    const QPalette::ColorRole role = color == SystemColor::clWindowText
                                         ? textRoleOn(widget->backgroundRole(), widget->palette())
                                         : paletteRole(color);
    // Setting the role sends another palette change.
    if (widget->foregroundRole() != role) widget->setForegroundRole(role);
}

void setFontHeight(QWidget* widget, int pixels) {
    QFont font = widget->font();
    font.setPixelSize(pixels);
    widget->setFont(font);
}

void installDesignFonts() { QFont::insertSubstitution(kDesignFontFamily, kInstalledSansFamily); }

}  // namespace miravane
