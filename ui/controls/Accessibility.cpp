#include "Accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "Form.h"
#include "PictureBox.h"

namespace miravane {
namespace {

// Asked once for each class of an object, most derived first, until an answer comes.
QAccessibleInterface* accessibleFor(const QString& className, QObject* object) {
    if (className == QLatin1String(PictureBox::staticMetaObject.className())) {
        auto* picture = static_cast<PictureBox*>(object);
        return new QAccessibleWidget(picture, picture->isLink() ? QAccessible::Link : QAccessible::Graphic);
    }
    // A dialog form is a dialog, as the toolkit presents it.
    if (className == QLatin1String(Form::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<Form*>(object), QAccessible::Window);
    return nullptr;
}

}  // namespace

void installAccessibility() {
    static const bool installed = (QAccessible::installFactory(accessibleFor), true);
    (void)installed;
}

}  // namespace miravane
