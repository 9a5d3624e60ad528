#pragma once

#include <QString>

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

// The control is one of a set the user picks from: named so, and selected (picked) or not. A
// change of the selection is announced.
void presentSelection(QWidget* control, const QString& name, bool selected);

}  // namespace miravane
