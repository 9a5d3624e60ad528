#pragma once

#include <functional>
#include <memory>

#include <QWidget>

namespace miravane {

using MainFormFactory = std::function<std::unique_ptr<QWidget>()>;

// The whole program: application object and title, the main window, the event loop. Any
// failure while starting or escaping the loop is shown in the error box, and the exit code is
// 0; only where the toolkit cannot start (no display, no platform plugin), so that nothing
// could be shown, the program ends with its reason on standard error and kCannotStartExitCode
// (Desktop.h). The program's own
// arguments are never read; the factory is the tests' seam.
int runProgram(const char* programPath, const MainFormFactory& makeMainForm);

// The program's real main window.
std::unique_ptr<QWidget> makeMainForm();

}  // namespace miravane
