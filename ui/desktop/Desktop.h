#pragma once

#include <functional>
#include <string>

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace miravane {

// The program's one view of the desktop it runs on: how the toolkit is started (and how a start
// that cannot be made ends), and where windows go. What is particular to a windowing system (X11
// frames and hints, the session bus, the C library's locale) stays behind it.

// Starts the toolkit: `makeApplication` makes the application object. While it starts, the
// process is made ready for it (no session bus is autolaunched where the desktop gives none,
// characters are handled as UTF-8 in any locale); the programs the program starts later get
// the environment it was given. What the toolkit says while it starts is written once it is up.
// Where it cannot start, the program ends here with exit code kCannotStartExitCode: with one
// line naming the display when none could be opened, otherwise with the toolkit's own reason
// (a platform plugin that is missing, and those there are).
void startToolkit(const std::function<void()>& makeApplication);

// Ends the program with the exit code once its windows are gone, where the toolkit cannot be
// trusted to take itself down: Qt 6.4's Wayland platform now and then deadlocks as it
// disconnects (its event thread waits for a read the main thread will never make), leaving a
// process with no window that never ends. The program holds nothing the toolkit's own clean-up
// would save, so there it ends without it. Elsewhere this returns, for the ordinary clean-up.
void endWhereTheToolkitMightHang(int exitCode);

// Not 0: nothing was shown to the user, and whatever started the program (a shell, a script, a
// desktop's launcher) must learn that it did not run.
inline constexpr int kCannotStartExitCode = 1;

// The line the program prints when it cannot open a display, from the environment it was given.
std::string noDisplayMessage();

// Where a window of the given outer size goes, centred on a desktop of the given size (the
// desktop's origin is not added); truncating divisions, never left of or above 0.
QPoint centredOnDesktop(QSize desktop, QSize outer);

// Where a window of the given outer size goes, centred over its owner's outer rectangle.
QPoint centredOverOwner(const QRect& ownerOuter, QSize outer);

// The step each window takes when it is first shown: it asks for a fixed dialog frame (moved
// and closed, never resized, minimised or maximised) and is placed by its outer rectangle,
// frame included, where `where` says for its outer size. Under an X11 window manager that tells
// the frame before the window is mapped, the place is right at once; under one that tells it
// only later, the window is moved once the frame is known, and none waits for an answer that
// does not come. Later showings leave the window where the user put it.
class FirstShowPlacement {
public:
    using Where = std::function<QPoint(QSize outer)>;

    explicit FirstShowPlacement(Where where) : where_(std::move(where)) {}

    // From the window's show event, once its size is final and before it is mapped.
    void onShow(QWidget* window);

private:
    Where where_;
    bool placed_ = false;
};

}  // namespace miravane
