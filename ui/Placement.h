#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace miravane {

// Where a window of the given outer size goes, centred on a desktop of the given size (the
// desktop's origin is not added); truncating divisions, never left of or above 0.
QPoint centredOnDesktop(QSize desktop, QSize outer);

// Where a window of the given outer size goes, centred over its owner's outer rectangle.
QPoint centredOverOwner(const QRect& ownerOuter, QSize outer);

// The window's outer (frame) size, or its client size while the frame is not yet known.
QSize outerSize(const QWidget* window);

}  // namespace miravane
