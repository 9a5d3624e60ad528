#include "AccessibleText.h"

#include <algorithm>
#include <cmath>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetricsF>
#include <QLabel>
#include <QStyle>
#include <QTextLayout>

namespace miravane {
namespace {

// The lines a plain-text label draws its text in: QLabel's text rectangle (its contents less
// the margin, and less the indent it keeps inside a frame) broken into lines as
// QPainter::drawText breaks it.
class LabelLines {
public:
    explicit LabelLines(const QLabel* label) : layout_(drawnText(label), label->font()) {
        const int margin = label->margin();
        QRect area = label->contentsRect().adjusted(margin, margin, -margin, -margin);
        const Qt::Alignment align = QStyle::visualAlignment(label->layoutDirection(), label->alignment());
        int indent = label->indent();
        if (indent < 0 && label->frameWidth())
            indent = label->fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 - margin;
        if (indent > 0) {
            if (align & Qt::AlignLeft) area.setLeft(area.left() + indent);
            if (align & Qt::AlignRight) area.setRight(area.right() - indent);
            if (align & Qt::AlignTop) area.setTop(area.top() + indent);
            if (align & Qt::AlignBottom) area.setBottom(area.bottom() - indent);
        }
        QTextOption option(align & Qt::AlignHorizontal_Mask);
        option.setWrapMode(label->wordWrap() ? QTextOption::WordWrap : QTextOption::ManualWrap);
        layout_.setTextOption(option);
        const qreal leading = QFontMetricsF(label->font()).leading();
        qreal height = -leading;
        layout_.beginLayout();
        for (QTextLine line = layout_.createLine(); line.isValid(); line = layout_.createLine()) {
            line.setLineWidth(area.width());
            height = std::ceil(height + leading);
            line.setPosition(QPointF(0, height));
            height += line.height();
        }
        layout_.endLayout();
        qreal top = area.top();
        if (align & Qt::AlignBottom) top += area.height() - height;
        if (align & Qt::AlignVCenter) top += (area.height() - height) / 2;
        origin_ = QPointF(area.left(), top);
    }

    // In the label's coordinates.
    QRect characterRect(int offset) const {
        const QTextLine line = layout_.lineForTextPosition(offset);
        if (!line.isValid() || offset >= layout_.text().size()) return {};
        const qreal from = line.cursorToX(offset);
        const qreal to = line.cursorToX(offset + 1);
        const QRectF rect(std::min(from, to), line.y(), std::abs(to - from), line.height());
        return rect.translated(origin_).toAlignedRect();
    }

    int offsetAt(QPointF point) const {
        point -= origin_;
        for (int i = 0; i < layout_.lineCount(); ++i) {
            const QTextLine line = layout_.lineAt(i);
            if (point.y() >= line.y() && point.y() < line.y() + line.height()) return line.xToCursor(point.x());
        }
        return -1;
    }

    // The line `step` lines after the one holding the offset, as [start, end).
    bool lineAround(int offset, int step, int* start, int* end) const {
        const QTextLine here = layout_.lineForTextPosition(std::min(offset, static_cast<int>(layout_.text().size())));
        if (!here.isValid()) return false;
        const QTextLine line = layout_.lineAt(here.lineNumber() + step);
        if (!line.isValid()) return false;
        *start = line.textStart();
        *end = line.textStart() + line.textLength();
        return true;
    }

private:
    // drawText breaks lines where the text does; the offsets stay those of the label's text.
    static QString drawnText(const QLabel* label) {
        QString text = label->text();
        return text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    }

    QTextLayout layout_;
    QPointF origin_;
};

// A label showing plain text: its name, its text, and where each character lies, line by line,
// so that a screen reader can read it by line, word and character; a heading when the window
// says so, and the label of its buddy.
constexpr char kHeadingProperty[] = "miravaneAccessibleHeading";

class LabelText : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit LabelText(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QAccessible::Role role() const override {
        return label()->property(kHeadingProperty).toBool() ? QAccessible::Heading : QAccessible::StaticText;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text type) const override {
        if (type == QAccessible::Name && label()->accessibleName().isEmpty()) return label()->text();
        return QAccessibleWidget::text(type);
    }

    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation match) const override {
        auto relations = QAccessibleWidget::relations(match);
        if (match & QAccessible::Labelled)
            if (QAccessibleInterface* buddy = QAccessible::queryAccessibleInterface(label()->buddy()))
                relations.append({buddy, QAccessible::Labelled});
        return relations;
    }

    // Nothing is selected and there is no caret: the text is read only.
    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void scrollToSubstring(int, int) override {}

    QString text(int startOffset, int endOffset) const override {
        const QString all = label()->text();
        if (endOffset < 0 || endOffset > all.size()) endOffset = static_cast<int>(all.size());
        return startOffset < 0 || startOffset > endOffset ? QString() : all.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(label()->text().size()); }

    QString attributes(int, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

    QRect characterRect(int offset) const override {
        const QRect rect = LabelLines(label()).characterRect(offset);
        return rect.isNull() ? rect : rect.translated(label()->mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint& point) const override {
        return LabelLines(label()).offsetAt(label()->mapFromGlobal(QPointF(point)));
    }

    // Lines are the lines the label breaks its text into, not only those the text breaks itself.
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                         int* endOffset) const override {
        return line(offset, 0, boundary, startOffset, endOffset)
                   ? text(*startOffset, *endOffset)
                   : QAccessibleTextInterface::textAtOffset(offset, boundary, startOffset, endOffset);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                             int* endOffset) const override {
        return line(offset, -1, boundary, startOffset, endOffset)
                   ? text(*startOffset, *endOffset)
                   : QAccessibleTextInterface::textBeforeOffset(offset, boundary, startOffset, endOffset);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                            int* endOffset) const override {
        return line(offset, 1, boundary, startOffset, endOffset)
                   ? text(*startOffset, *endOffset)
                   : QAccessibleTextInterface::textAfterOffset(offset, boundary, startOffset, endOffset);
    }

private:
    QLabel* label() const { return static_cast<QLabel*>(widget()); }

    bool line(int offset, int step, QAccessible::TextBoundaryType boundary, int* startOffset, int* endOffset) const {
        if (boundary != QAccessible::LineBoundary || offset < 0 || offset > characterCount()) return false;
        if (!LabelLines(label()).lineAround(offset, step, startOffset, endOffset)) *startOffset = *endOffset = -1;
        return true;
    }
};

// Labels drawn by QPainter::drawText, as LabelLines lays them out; not pictures, rich text, or
// text the user can select, which the toolkit lays out otherwise.
bool showsPlainText(const QLabel* label) {
    if (!label->pixmap().isNull() || label->movie()) return false;
    if (label->textInteractionFlags() & (Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard)) return false;
    return label->textFormat() == Qt::PlainText ||
           (label->textFormat() == Qt::AutoText && !Qt::mightBeRichText(label->text()));
}

}  // namespace

QAccessibleInterface* accessibleLabelText(QLabel* label) { return showsPlainText(label) ? new LabelText(label) : nullptr; }

void presentAsHeading(QLabel* label) { label->setProperty(kHeadingProperty, true); }

}  // namespace miravane
