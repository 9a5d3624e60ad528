#pragma once

#include <optional>

#include <QMargins>

class QWidget;

namespace miravane {

// What a window manager is asked for and told about a top-level window before it is mapped.
// Only X11 window managers are asked; elsewhere the platform draws the frame and these do
// nothing (Windows and macOS know their frames, Wayland compositors place windows themselves).

// The frame the window manager will draw around the window, in the window's own pixels: the
// answer to an EWMH frame-extents request. Empty when there is no window manager to ask, or it
// does not answer in time; the window then has no frame its placement could take into account.
std::optional<QMargins> frameExtentsBeforeMapping(QWidget* window);

// A fixed dialog frame: the window may be moved and closed, never resized, minimised or
// maximised. Window managers that heed Motif hints draw no minimise or maximise box for it.
void requestFixedDialogFrame(QWidget* window);

}  // namespace miravane
