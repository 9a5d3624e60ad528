#include <algorithm>

#include <QPointer>
#include <QWidget>

#include "Desktop.h"
#include "FrameExtents.h"

namespace miravane {
namespace {

int centred(int space, int extent, int origin) { return std::max(0, origin + (space - extent) / 2); }

// Whether the window manager has been seen putting a window's frame, rather than the window,
// where the window asked to be (it reads the position with north-west gravity whatever the window
// says). The later windows ask accordingly.
bool windowManagerPutsTheFrameThere = false;

QPoint topLeft(const QMargins& frame) { return {frame.left(), frame.top()}; }


// Where a window asks to be put so that the window manager puts its frame's top-left corner at
// `outerTopLeft`: inside the frame, or (where the window manager is known to put the frame where
// the window asks to be) at the corner itself.
QPoint requestedPosition(QPoint outerTopLeft, const QMargins& frame, bool asksForTheFrame) {
    return asksForTheFrame ? outerTopLeft : outerTopLeft + topLeft(frame);
}

// Without a window manager there is no frame and the window is placed by its own size. With one,
// the window is placed by the frame the window manager announces or the program expects before
// mapping, and moved once, as soon as the real frame is known after mapping, if that frame or
// the window manager's reading of the position put it anywhere else.
void placeByOuterSize(QWidget* window, const FirstShowPlacement::Where& where) {
    const ExpectedFrame expected = frameBeforeMapping(window);
    if (!expected.windowManager) {
        window->move(where(window->frameGeometry().size()));
        return;
    }
    // The client rectangle, stated as such: the window manager puts the frame around it.
    const QSize size = window->size();
    const QPoint asked =
        requestedPosition(where(size.grownBy(expected.frame)), expected.frame, windowManagerPutsTheFrameThere);
    window->setGeometry(QRect(asked, size));
    // Not known before mapping, the frame is known only once the window is up, where it would be
    // without one: it is moved then, and not painted before, so that the first the user sees of
    // it is in its place.
    if (!expected.known) holdFirstPaint(window);

    // The size the window has now, not the one the toolkit reports later: that one can be an echo
    // of a size the window had before (a message box is shown at a default size first).
    whenFramed(window, [window, where, size, asked](QMargins frame, QPoint at) {
        if (!frame.isNull() && at == asked + topLeft(frame)) windowManagerPutsTheFrameThere = true;
        if (!frame.isNull() && at == asked) windowManagerPutsTheFrameThere = false;
        // Window managers read the move of a mapped window as the window's own position (Window
        // Maker to within its border's pixel), so the window asks to go inside its frame.
        const QPoint wanted = requestedPosition(where(size.grownBy(frame)), frame, false);
        const auto placed = [window = QPointer(window)] {
            if (window) releaseFirstPaint(window);
        };
        if (at != wanted)
            moveFramedWindow(window, wanted, placed);
        else
            placed();
    });
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
