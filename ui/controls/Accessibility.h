#pragma once

namespace miravane {

// What a screen reader learns of the windows through the desktop's accessibility bus. Qt
// presents a plain widget as a nameless filler; here a form is a window (named by its caption),
// and every image control a picture or, when it leads somewhere, a link. Call before the first
// window is built; calling again does nothing.
void installAccessibility();

}  // namespace miravane
