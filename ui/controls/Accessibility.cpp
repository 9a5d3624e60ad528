#include "Accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "PictureBox.h"

namespace miravane {
namespace {

// Asked once for each class of an object, most derived first, until an answer comes.
QAccessibleInterface* accessibleFor(const QString& className, QObject* object) {
    if (className == QLatin1String(PictureBox::staticMetaObject.className())) {
        auto* picture = static_cast<PictureBox*>(object);
        return new QAccessibleWidget(picture, picture->isLink() ? QAccessible::Link : QAccessible::Graphic);
    }
    // Dialogs, message boxes and the toolkit's own windows have answered by now.
    if (className == QLatin1String("QWidget") && static_cast<QWidget*>(object)->isWindow())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

}  // namespace

void installAccessibility() {
    static const bool installed = (QAccessible::installFactory(accessibleFor), true);
    (void)installed;
}

}  // namespace miravane
