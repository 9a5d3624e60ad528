#pragma once

#include <QString>

namespace miravane {

// What a screen reader learns of the windows through the desktop's accessibility bus. Qt
// presents a plain widget as a nameless filler; the program's own controls say what they are:
// the main window is a window (named by its caption), every image control a picture or, when
// it leads somewhere, a link. Call before the first window is built; calling again does nothing.
void installAccessibility();

// The name of the card image at a table position (0..21) in its current state, such as
// "Card 7 of 22, face down".
QString cardAccessibleName(int posicion, bool elegida);

}  // namespace miravane
