#include "Placement.h"

#include <algorithm>

#include <QWidget>

namespace miravane {
namespace {

int centred(int space, int extent, int origin) { return std::max(0, origin + (space - extent) / 2); }

}  // namespace

QPoint centredOnDesktop(QSize desktop, QSize outer) {
    return {centred(desktop.width(), outer.width(), 0), centred(desktop.height(), outer.height(), 0)};
}

QPoint centredOverOwner(const QRect& ownerOuter, QSize outer) {
    return {centred(ownerOuter.width(), outer.width(), ownerOuter.left()),
            centred(ownerOuter.height(), outer.height(), ownerOuter.top())};
}

QSize outerSize(const QWidget* window) { return window->frameGeometry().size(); }

}  // namespace miravane
