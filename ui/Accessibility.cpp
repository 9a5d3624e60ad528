#include "Accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "Carta.h"
#include "Fmainform.h"
#include "PictureBox.h"

namespace miravane {
namespace {

QAccessibleInterface* accessibleFor(const QString& className, QObject* object) {
    if (className == QLatin1String(TMainForm::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    if (className == QLatin1String(PictureBox::staticMetaObject.className())) {
        auto* picture = static_cast<PictureBox*>(object);
        return new QAccessibleWidget(picture, picture->isLink() ? QAccessible::Link : QAccessible::Graphic);
    }
    return nullptr;
}

}  // namespace

void installAccessibility() {
    static const bool installed = (QAccessible::installFactory(accessibleFor), true);
    (void)installed;
}

QString cardAccessibleName(int posicion, bool elegida) {
    return QStringLiteral("Card %1 of %2, %3")
        .arg(posicion + 1)
        .arg(kNumCartas)
        .arg(elegida ? QStringLiteral("picked") : QStringLiteral("face down"));
}

}  // namespace miravane
