#include "DesignLook.h"

#include <QFont>
#include <QStringList>
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

namespace {

void nameInstalledFont(QWidget* widget) {
    // A control that sets no font of its own inherits its parent's, renamed already.
    if (!widget->testAttribute(Qt::WA_SetFont)) return;
    QFont font = widget->font();
    const QStringList families = font.families();
    if (families.isEmpty() || families.constFirst() != QLatin1String(kDesignFontFamily)) return;
    font.setFamilies({QString::fromLatin1(kInstalledSansFamily)});
    widget->setFont(font);
}

}  // namespace

void nameInstalledFonts(QWidget* window) {
    nameInstalledFont(window);
    for (QWidget* child : window->findChildren<QWidget*>()) nameInstalledFont(child);
}

}  // namespace miravane
