#pragma once

#include <functional>
#include <utility>

#include <QCoreApplication>
#include <QEvent>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace miravane::bench {

// Notices when every widget of a set has been painted at least once, and then runs `done`
// once the paint pass that completed the set is over. `done` is queued rather than called
// from the paint, so that by the time it runs the pass has also been flushed to the screen:
// what it measures is a picture the user can see, not one still in the backing store.
// `counts`, when given, decides whether a paint counts (say, only a paint of the new picture).
class PaintWatch : public QObject {
public:
    using Counts = std::function<bool(QWidget*)>;

    PaintWatch(const QList<QWidget*>& widgets, std::function<void()> done, Counts counts = {})
        : done_(std::move(done)), counts_(std::move(counts)) {
        for (QWidget* widget : widgets) {
            watched_.append(widget);
            pending_.append(widget);
            widget->installEventFilter(this);
        }
    }

    ~PaintWatch() override { stopWatching(); }

    bool fired() const { return fired_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || fired_) return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (!pending_.contains(widget) || (counts_ && !counts_(widget))) return false;
        pending_.removeOne(widget);
        if (pending_.isEmpty()) {
            fired_ = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    stopWatching();
                    done_();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    void stopWatching() {
        for (const QPointer<QWidget>& widget : watched_)
            if (widget) widget->removeEventFilter(this);
        watched_.clear();
    }

    std::function<void()> done_;
    Counts counts_;
    QList<QPointer<QWidget>> watched_;
    QList<QWidget*> pending_;
    bool fired_ = false;
};

}  // namespace miravane::bench
