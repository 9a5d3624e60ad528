#include "Accessibility.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QLabel>
#include <QPointer>

#include "AccessibleText.h"
#include "Form.h"
#include "PictureBox.h"

namespace miravane {
namespace {

constexpr char kSelectedProperty[] = "miravaneAccessibleSelected";

// The children a screen reader can reach: none that is hidden (a store of pictures never
// shown) and no window of its own, in the order they lie in on screen, row by row.
QList<QWidget*> shownChildren(const QWidget* container) {
    QList<QWidget*> shown;
    for (QObject* object : container->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (child && !child->isWindow() && child->isVisibleTo(container)) shown.append(child);
    }
    std::stable_sort(shown.begin(), shown.end(), [](const QWidget* a, const QWidget* b) {
        return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
    });
    return shown;
}

// A window or a panel. Qt lists a widget's children in creation order, which is also the order
// they are painted in; a screen reader gets the shown ones in screen order instead.
class Container : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;

    int childCount() const override { return static_cast<int>(shownChildren(widget()).size()); }

    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> children = shownChildren(widget());
        return index >= 0 && index < children.size() ? QAccessible::queryAccessibleInterface(children.at(index))
                                                     : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child) return -1;
        return static_cast<int>(shownChildren(widget()).indexOf(qobject_cast<QWidget*>(child->object())));
    }
};

// Anything may answer a click once it comes: the caller of the action gets its reply first.
void clickLater(PictureBox* picture) {
    QMetaObject::invokeMethod(
        picture,
        [picture = QPointer(picture)] {
            if (!picture || !picture->isVisible() || !picture->isEnabled()) return;
            // A mouse click never reaches a window that another one's modal dialog blocks.
            const QWidget* modal = QApplication::activeModalWidget();
            if (modal && modal != picture->window()) return;
            picture->click();
        },
        Qt::QueuedConnection);
}

class Picture : public QAccessibleWidget {
public:
    explicit Picture(PictureBox* picture)
        : QAccessibleWidget(picture, picture->isLink() ? QAccessible::Link : QAccessible::Graphic) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        const QVariant picked = widget()->property(kSelectedProperty);
        if (picked.isValid()) {
            state.selectable = true;
            state.selected = picked.toBool();
        }
        return state;
    }

    // The press action does what a click does; it never moves the keyboard focus.
    QStringList actionNames() const override {
        return picture()->answersClicks() ? QStringList{pressAction()} : QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (action == pressAction() && picture()->answersClicks())
            clickLater(picture());
        else
            QAccessibleWidget::doAction(action);
    }

    QStringList keyBindingsForAction(const QString& action) const override {
        return action == pressAction() ? QStringList() : QAccessibleWidget::keyBindingsForAction(action);
    }

private:
    PictureBox* picture() const { return static_cast<PictureBox*>(widget()); }
};

// Asked for each class of the object, the most derived first, before the toolkit's own
// factory. A widget being destroyed reports itself as a plain QWidget, which is left to the
// toolkit, as it knows not to keep an interface for it.
QAccessibleInterface* accessibleFor(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (className == QLatin1String(PictureBox::staticMetaObject.className()))
        return new Picture(static_cast<PictureBox*>(widget));
    if (className == QLatin1String("QLabel")) return accessibleLabelText(static_cast<QLabel*>(widget));
    if (className == QLatin1String("QDialog")) return new Container(widget, QAccessible::Dialog);
    if (className == QLatin1String("QFrame") && !widget->isWindow())
        return new Container(widget, QAccessible::Grouping);
    // A form a window is drawn on (Qt would say a filler); a dialog form is a dialog, above.
    if (className == QLatin1String(Form::staticMetaObject.className())) return new Container(widget, QAccessible::Window);
    return nullptr;
}

// Everything to present again when a screen reader starts to listen.
class Listeners : public QAccessible::ActivationObserver {
public:
    void add(QObject* context, std::function<void()> present) {
        forgetEnded();
        const auto same = std::find_if(entries_.begin(), entries_.end(),
                                       [context](const Entry& entry) { return entry.context == context; });
        if (same != entries_.end()) {
            same->present = std::move(present);
            return;
        }
        entries_.push_back({QPointer(context), std::move(present)});
        if (!observing_) QAccessible::installActivationObserver(this);
        observing_ = true;
    }

    void accessibilityActiveChanged(bool active) override {
        if (!active) return;
        forgetEnded();
        // A copy: presenting may add more.
        for (const Entry& entry : std::vector<Entry>(entries_))
            if (entry.context) entry.present();
    }

private:
    struct Entry {
        QPointer<QObject> context;
        std::function<void()> present;
    };

    void forgetEnded() {
        std::erase_if(entries_, [](const Entry& entry) { return !entry.context; });
    }

    std::vector<Entry> entries_;
    bool observing_ = false;
};

Listeners& listeners() {
    // Never destroyed: the toolkit may still tell it of a change as the program ends.
    static auto* const all = new Listeners;
    return *all;
}

}  // namespace

void presentWhenListened(QObject* context, std::function<void()> present) {
    if (QAccessible::isActive()) present();
    listeners().add(context, std::move(present));
}

void installAccessibility() {
    static const bool installed = (QAccessible::installFactory(accessibleFor), true);
    (void)installed;
}

void presentSelection(QWidget* control, const QString& name, bool selected) {
    if (!QAccessible::isActive()) return;
    // Presented for the first time, as a screen reader starts to listen, nothing has changed.
    const QVariant before = control->property(kSelectedProperty);
    const bool changed = before.isValid() && before != QVariant(selected);
    control->setProperty(kSelectedProperty, selected);
    control->setAccessibleName(name);
    if (changed) {
        QAccessible::State state;
        state.selected = true;
        QAccessibleStateChangeEvent stateChange(control, state);
        QAccessible::updateAccessibility(&stateChange);
        // The event Qt's AT-SPI bridge turns into a change of the selected state.
        QAccessibleEvent selection(control, QAccessible::Selection);
        QAccessible::updateAccessibility(&selection);
    }
}

}  // namespace miravane
