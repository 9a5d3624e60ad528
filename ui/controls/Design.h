#pragma once

class QWidget;

namespace miravane {

// The window designs (.ui files) state a few things Qt Designer has no property for; they
// carry them as dynamic properties, which this applies once after setupUi():
//   color        background, a system colour name such as "clInfoBk"
//   fontColor    text colour, a system colour name
//   fontHeight   character height of the widget's font, in pixels
//   autoSize     on a label: as wide as its text (a right-aligned one keeps its right edge)
//   borderStyle  "bsDialog" on a window: fixed size, title bar with a close box only
// An unknown name is a fault in the design and throws.
void applyDesign(QWidget* root);

// The designs name the font family "MS Sans Serif"; it is drawn with the one sans font the
// program installs, so that the windows look alike on every machine. Call once at start-up.
void installDesignFonts();

inline constexpr char kDesignFontFamily[] = "MS Sans Serif";
inline constexpr char kInstalledSansFamily[] = "Liberation Sans";

}  // namespace miravane
