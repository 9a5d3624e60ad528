#pragma once

#include <functional>

#include <QString>

class QObject;
class QWidget;

namespace miravane {

// What a screen reader learns of the windows through the desktop's accessibility bus. Qt
// presents a plain widget as a nameless filler and a panel as a frame, the role screen readers
// take for a window; the program's controls say what they are:
//   - a form is a window (named by its caption), a panel a nameless group; each lists the
//     children that can show, never a hidden one, in the order they lie in on screen, row by
//     row, each row left to right (Qt lists them in creation order, which is the paint order);
//   - an image control is a picture or, when it leads somewhere, a link; one that answers
//     clicks offers the press action, which clicks it as the mouse does, without the focus;
//   - a plain-text label exposes its text (AccessibleText.h).
// Call before the first window is built; calling again does nothing.
void installAccessibility();

// Runs `present` now if a screen reader may be listening, and again each time one starts to,
// for as long as `context` lives; a context has one such presentation, the one given last. What
// a window tells a screen reader beyond what the toolkit does is worked out only for one that
// listens.
void presentWhenListened(QObject* context, std::function<void()> present);

// While a screen reader may listen: the control is one of a set the user picks from, named so,
// and selected (picked) or not; a change of the selection is announced. Otherwise nothing: a
// window presents its controls again when one starts to listen (presentWhenListened).
void presentSelection(QWidget* control, const QString& name, bool selected);

}  // namespace miravane
