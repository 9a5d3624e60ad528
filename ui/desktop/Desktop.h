#pragma once

#include <functional>
#include <string>

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace miravane {

// The program's one view of the desktop it runs on: what is settled before the toolkit starts,
// how a start without a display ends, and where windows go. What is particular to a windowing
// system (X11 frames and hints, the session bus, the C library's locale) stays behind it.

// Settles what the toolkit reads from the process as it starts. Call first, before the
// application object exists and before any thread is started.
void prepareProcessForToolkit();

// The exit code when no window could be shown at all. Not 0: nothing was shown to the user,
// and whatever started the program (a shell, a script, a desktop's launcher) must learn that
// it did not run.
inline constexpr int kNoDisplayExitCode = 1;

// Where no display can be opened, the toolkit ends the process from inside the application
// object's constructor with a fatal message (abort, core dump) after some lines of its own.
// While a guard lives, the toolkit's messages are held back; a fatal one ends the program at
// once with one line on standard error that names the display it could not open, and exit code
// kNoDisplayExitCode. When the guard goes, the held messages go out as they would have.
class NoDisplayGuard {
public:
    NoDisplayGuard();
    ~NoDisplayGuard();
    NoDisplayGuard(const NoDisplayGuard&) = delete;
    NoDisplayGuard& operator=(const NoDisplayGuard&) = delete;
};

// The line the program prints when it cannot open a display, from the environment it was given.
std::string noDisplayMessage();

// Where a window of the given outer size goes, centred on a desktop of the given size (the
// desktop's origin is not added); truncating divisions, never left of or above 0.
QPoint centredOnDesktop(QSize desktop, QSize outer);

// Where a window of the given outer size goes, centred over its owner's outer rectangle.
QPoint centredOverOwner(const QRect& ownerOuter, QSize outer);

// The step each window takes when it is first shown: it asks for a fixed dialog frame (moved
// and closed, never resized, minimised or maximised) and is placed by its outer rectangle,
// frame included, where `where` says for its outer size. Later showings leave the window where
// the user put it.
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
