#include "Design.h"

#include <stdexcept>

#include <QFont>
#include <QLabel>
#include <QVariant>
#include <QWidget>

#include "SystemColors.h"

namespace miravane {
namespace {

QPalette::ColorRole roleFromDesign(const QWidget* widget, const char* property) {
    const QString name = widget->property(property).toString();
    const auto color = systemColorNamed(name);
    if (!color)
        throw std::invalid_argument("Unknown colour \"" + name.toStdString() + "\" in the design of " +
                                    widget->objectName().toStdString());
    return paletteRole(*color);
}

void applyColours(QWidget* widget) {
    if (widget->property("color").isValid()) {
        widget->setAutoFillBackground(true);
        widget->setBackgroundRole(roleFromDesign(widget, "color"));
    }
    if (widget->property("fontColor").isValid()) widget->setForegroundRole(roleFromDesign(widget, "fontColor"));
}

void applyFontHeight(QWidget* widget) {
    const QVariant height = widget->property("fontHeight");
    if (!height.isValid()) return;
    QFont font = widget->font();
    font.setPixelSize(height.toInt());
    widget->setFont(font);
}

// A label sized to its text, as wide as the installed font draws it; a right-aligned one
// keeps its right edge where the design put it.
void applyAutoSize(QWidget* widget) {
    auto* label = qobject_cast<QLabel*>(widget);
    if (!label || !label->property("autoSize").toBool()) return;
    const int width = label->sizeHint().width();
    const int right = label->geometry().right();
    const int left = label->alignment().testFlag(Qt::AlignRight) ? right + 1 - width : label->x();
    label->setGeometry(left, label->y(), width, label->height());
}

void applyBorderStyle(QWidget* window) {
    const QVariant style = window->property("borderStyle");
    if (!style.isValid()) return;
    if (style.toString() != QLatin1String("bsDialog"))
        throw std::invalid_argument("Unknown border style in the design of " + window->objectName().toStdString());
    window->setWindowFlags(window->windowType() | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    window->setFixedSize(window->size());
}

void applyToWidget(QWidget* widget) {
    applyColours(widget);
    applyFontHeight(widget);
    applyAutoSize(widget);
}

}  // namespace

void applyDesign(QWidget* root) {
    applyBorderStyle(root);
    applyToWidget(root);
    for (QWidget* child : root->findChildren<QWidget*>()) applyToWidget(child);
}

void installDesignFonts() { QFont::insertSubstitution(kDesignFontFamily, kInstalledSansFamily); }

}  // namespace miravane
