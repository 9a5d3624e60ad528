#include "Design.h"

#include <stdexcept>

#include <QEvent>
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

// The designs draw every text in the window-text colour, whatever lies behind it. A theme's
// palette pairs each background with a text colour of its own (on a dark theme the tooltip base
// may stay pale yellow, with dark tooltip text, while window text turns white), so such text
// is drawn in the colour paired with its background, chosen again whenever the palette changes.
class PairedTextColour : public QObject {
public:
    using QObject::QObject;

    static void choose(QWidget* widget) {
        const QPalette::ColorRole role = textRoleOn(widget->backgroundRole(), widget->palette());
        // Setting the role sends another palette change.
        if (widget->foregroundRole() != role) widget->setForegroundRole(role);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::PaletteChange) choose(static_cast<QWidget*>(watched));
        return false;
    }
};

void applyColours(QWidget* widget) {
    if (widget->property("color").isValid()) {
        widget->setAutoFillBackground(true);
        widget->setBackgroundRole(roleFromDesign(widget, "color"));
    }
    if (!widget->property("fontColor").isValid()) return;
    const QPalette::ColorRole text = roleFromDesign(widget, "fontColor");
    if (text != QPalette::WindowText) {
        widget->setForegroundRole(text);
        return;
    }
    PairedTextColour::choose(widget);
    widget->installEventFilter(new PairedTextColour(widget));
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
