#pragma once

#include <QString>

class QWidget;

namespace miravane {

// The plain message box: caption the application title, no icon, one OK button that Enter
// and Esc both press, centred on the screen, modal.
void showMessage(const QString& text);

// The error box: as the plain one, with the error icon. The text gets a closing full stop
// when it needs one (see withFullStop).
void showErrorMessage(const QString& text);

// Appends "." when the last character sorts after "." (a letter, a digit, "?", ...); a text
// that already ends in "." or "!" and an empty text stay as they are.
QString withFullStop(const QString& text);

// A picture of the window's that cannot be decoded is a failure like any other: it is shown
// in the error box, once, after the paint that found it.
void showDecodeFailuresOf(QWidget* window);

}  // namespace miravane
