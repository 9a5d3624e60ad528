#pragma once

#include <functional>

#include <QMargins>
#include <QPoint>

class QWidget;

namespace miravane {

// What an X11 window manager is asked for and told about a top-level window, before it is mapped
// and once it is. Only X11 window managers are asked; elsewhere these do nothing (Windows and
// macOS know their frames, Wayland compositors place windows themselves).

// What is known, before a window is mapped, of the frame it will get.
struct ExpectedFrame {
    // An EWMH window manager runs and will frame the window. Without one there is no frame.
    bool windowManager = false;
    // The frame, in the window's own pixels: the window manager's answer to a frame-extents
    // request when it comes at once; else the frame it drew around an earlier window of this
    // program (the windows all ask for the same fixed dialog frame); else none.
    QMargins frame;
    // Whether there was a frame to go by: neither an answer nor an earlier window means the
    // place will be known only once the window is mapped and framed.
    bool known = false;
};

// Asks the window manager, if it says it answers, and waits for the answer a few milliseconds at
// most; one that has let a request go unanswered is not asked again.
ExpectedFrame frameBeforeMapping(QWidget* window);

// Calls `framed` once, as soon as the window is mapped and the window manager has announced the
// frame it drew (_NET_FRAME_EXTENTS): with that frame, and where the window's own top-left corner
// (inside the frame) is on the screen then. For a window a window manager frames (see
// frameBeforeMapping); without one, nothing is ever called.
void whenFramed(QWidget* window, std::function<void(QMargins frame, QPoint at)> framed);

// Moves a mapped window's own top-left corner to `to`; the window manager moves the frame with it.
// `arrived` is called once the window manager says the window is there.
void moveFramedWindow(QWidget* window, QPoint to, std::function<void()> arrived);

// Keeps the toolkit from painting a window about to be mapped until it is released (or, at the
// latest, a tenth of a second after it is held): the X server's requests to draw it are held
// back, and asked for anew on release. Releasing a window not held does nothing.
void holdFirstPaint(QWidget* window);
void releaseFirstPaint(QWidget* window);

// A fixed dialog frame: the window may be moved and closed, never resized, minimised or
// maximised. Window managers that heed Motif hints draw no minimise or maximise box for it.
void requestFixedDialogFrame(QWidget* window);

}  // namespace miravane
