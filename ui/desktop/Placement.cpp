#include <algorithm>

#include <QWidget>

#include "Desktop.h"
#include "FrameExtents.h"

namespace miravane {
namespace {

int centred(int space, int extent, int origin) { return std::max(0, origin + (space - extent) / 2); }

// The outer size is the window's size with the frame the window manager has announced for it;
// where none is announced, it is the frame size the toolkit knows (on a bare X server, the
// client size).
void placeByOuterSize(QWidget* window, const FirstShowPlacement::Where& where) {
    const std::optional<QMargins> frame = frameExtentsBeforeMapping(window);
    if (!frame) {
        window->move(where(window->frameGeometry().size()));
        return;
    }
    // The client rectangle, stated as such: the window manager puts the frame around it.
    const QPoint outerTopLeft = where(window->size().grownBy(*frame));
    window->setGeometry(QRect(outerTopLeft + QPoint(frame->left(), frame->top()), window->size()));
}

}  // namespace

QPoint centredOnDesktop(QSize desktop, QSize outer) {
    return {centred(desktop.width(), outer.width(), 0), centred(desktop.height(), outer.height(), 0)};
}

QPoint centredOverOwner(const QRect& ownerOuter, QSize outer) {
    return {centred(ownerOuter.width(), outer.width(), ownerOuter.left()),
            centred(ownerOuter.height(), outer.height(), ownerOuter.top())};
}

void FirstShowPlacement::onShow(QWidget* window) {
    if (placed_) return;
    placed_ = true;
    requestFixedDialogFrame(window);
    placeByOuterSize(window, where_);
}

}  // namespace miravane
