#include "FontPreparation.h"

#include <bitset>
#include <utility>

#include <QEvent>
#include <QTextLayout>
#include <QTimer>
#include <QWidget>

namespace miravane {
namespace {

// Every character once, each followed by a space: no two make a ligature, so each glyph is
// shaped on its own, as in running text.
QString charactersApart(const QString& characters) {
    std::bitset<0x10000> seen;
    QString apart;
    for (const QChar c : characters) {
        if (c.isSpace() || seen[c.unicode()]) continue;
        seen[c.unicode()] = true;
        apart += c;
        apart += QLatin1Char(' ');
    }
    return apart;
}

class FontPreparation : public QObject {
public:
    FontPreparation(QWidget* window, std::function<QList<FontUse>()> uses)
        : QObject(window), window_(window), list_(std::move(uses)) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            window_->removeEventFilter(this);
            // Behind the rest of this paint, its flush to the screen and whatever it queued.
            QMetaObject::invokeMethod(
                this, [this] { QTimer::singleShot(0, this, &FontPreparation::next); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void next() {
        if (list_) {
            uses_ = std::exchange(list_, nullptr)();
        } else if (!uses_.isEmpty()) {
            prepareFont(uses_.takeFirst());
        }
        if (uses_.isEmpty()) {
            deleteLater();
            return;
        }
        QTimer::singleShot(0, this, &FontPreparation::next);
    }

    QWidget* window_;
    std::function<QList<FontUse>()> list_;
    QList<FontUse> uses_;
};

}  // namespace

void prepareFont(const FontUse& use) {
    // Laid out as a label's text is: the font's engine is loaded, its shaping tables and plan are
    // made, and every glyph's advance is read. The glyphs themselves are rendered when first
    // drawn, a few at a time: preparing them all would take twice as long again.
    QTextLayout layout(charactersApart(use.characters), use.font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
}

void prepareFontsAfterFirstPaint(QWidget* window, std::function<QList<FontUse>()> uses) {
    new FontPreparation(window, std::move(uses));
}

}  // namespace miravane
