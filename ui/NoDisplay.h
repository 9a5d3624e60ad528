#pragma once

#include <string>

namespace miravane {

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

}  // namespace miravane
