#include "FrameStyle.h"

#include <QFrame>
#include <QPainter>
#include <QStyleOptionFrame>
#include <QWidget>

namespace miravane {
namespace {

// A bevel `width` pixels wide, as the toolkit draws one: its top and left edges in one colour,
// its bottom and right edges in the other, the two meeting on the diagonals of the top-right
// and bottom-left corners. The top and left lines go first; the others cover them there.
void paintBevel(QPainter& painter, const QRect& r, int width, const QColor& topLeft, const QColor& bottomRight) {
    for (int i = 0; i < width; ++i) {
        painter.fillRect(r.x(), r.y() + i, r.width() - 1 - i, 1, topLeft);
        painter.fillRect(r.x() + i, r.y() + width - i, 1, r.height() - 1 - width + i, topLeft);
    }
    for (int i = 0; i < width; ++i) {
        painter.fillRect(r.x() + i, r.bottom() - i, r.width() - i, 1, bottomRight);
        painter.fillRect(r.right() - i, r.y() + i, 1, r.height() - width - i, bottomRight);
    }
}

// A rectangle's outline, `width` pixels wide inwards.
void paintOutline(QPainter& painter, const QRect& r, int width, const QColor& colour) {
    painter.fillRect(r.x(), r.y(), r.width(), width, colour);
    painter.fillRect(r.x(), r.bottom() - width + 1, r.width(), width, colour);
    painter.fillRect(r.x(), r.y() + width, width, r.height() - 2 * width, colour);
    painter.fillRect(r.right() - width + 1, r.y() + width, width, r.height() - 2 * width, colour);
}

enum class Kind { None, Outline, Bevel, WindowsBorder };

Kind kindOf(const QStyleOptionFrame& frame) {
    const bool shaded = frame.state & (QStyle::State_Sunken | QStyle::State_Raised);
    switch (frame.frameShape) {
    case QFrame::Box:
        return shaded ? Kind::None : Kind::Outline;
    case QFrame::Panel:
        return shaded ? Kind::Bevel : Kind::Outline;
    case QFrame::WinPanel:
        return shaded ? Kind::WindowsBorder : Kind::Outline;
    default:
        return Kind::None;
    }
}

}  // namespace

bool paintDesignFrame(QPainter& painter, const QStyleOptionFrame& frame, const QColor& plainColour) {
    const Kind kind = kindOf(frame);
    if (kind == Kind::None || !painter.device()) return false;
    // On a scaled screen the toolkit draws these frames in device pixels: the rectangle and the
    // line width scaled and rounded, a Windows border's rings one device pixel each.
    const qreal ratio = painter.device()->devicePixelRatio();
    const QRectF scaled(QPointF(frame.rect.topLeft()) * ratio, QSizeF(frame.rect.size()) * ratio);
    const QRect r(qRound(scaled.x()), qRound(scaled.y()), qRound(scaled.width()), qRound(scaled.height()));
    const int width = kind == Kind::WindowsBorder ? 2 : qRound(frame.lineWidth * ratio);
    if (width < 1 || r.width() <= 2 * width || r.height() <= 2 * width) return false;

    painter.save();
    painter.scale(1 / ratio, 1 / ratio);
    const QPalette& palette = frame.palette;
    const bool sunken = frame.state & QStyle::State_Sunken;
    const QColor light = palette.light().color();
    const QColor dark = palette.dark().color();
    switch (kind) {
    case Kind::Outline:
        paintOutline(painter, r, width, plainColour);
        break;
    case Kind::Bevel:
        paintBevel(painter, r, width, sunken ? dark : light, sunken ? light : dark);
        break;
    case Kind::WindowsBorder: {
        // Two one-pixel bevels, one inside the other.
        const QColor shadow = palette.shadow().color();
        const QColor midlight = palette.midlight().color();
        paintBevel(painter, r, 1, sunken ? dark : light, sunken ? light : shadow);
        paintBevel(painter, r.adjusted(1, 1, -1, -1), 1, sunken ? shadow : midlight, sunken ? midlight : dark);
        break;
    }
    case Kind::None:
        break;
    }
    painter.restore();
    return true;
}

void FrameStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const {
    if (element == CE_ShapedFrame && painter) {
        if (const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option)) {
            const QPalette::ColorRole foreground = widget ? widget->foregroundRole() : QPalette::WindowText;
            if (paintDesignFrame(*painter, *frame, frame->palette.color(foreground))) return;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

}  // namespace miravane
