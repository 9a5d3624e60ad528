#pragma once

#include <functional>

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

// Places a window that is about to be mapped for the first time: its outer top-left corner
// goes where `where` says for its outer size. The outer size is the window's size with the frame
// the window manager has announced for it; where none is announced, it is the frame size the
// toolkit knows (on a bare X server, the client size).
void placeByOuterSize(QWidget* window, const std::function<QPoint(QSize outer)>& where);

}  // namespace miravane
