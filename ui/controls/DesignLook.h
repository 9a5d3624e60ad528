#pragma once

#include "SystemColors.h"

class QWidget;

namespace miravane {

// What a window design says of a control's look beyond Qt's own properties, shared by the
// controls that carry it (StaticText, Form, DialogForm).

// The background filled with the colour's role.
void fillBackground(QWidget* widget, SystemColor::Name color);

// The text drawn in the colour's role. The designs draw every text in the window-text colour,
// whatever lies behind it; a theme's palette pairs each background with a text colour of its own
// (on a dark theme the tooltip base may stay pale yellow, with dark tooltip text, while window
// text turns white), so window text is drawn in the colour paired with the widget's background.
// Call again whenever the palette changes.
void colourText(QWidget* widget, SystemColor::Name color);

// The widget's font at a character height in pixels.
void setFontHeight(QWidget* widget, int pixels);

// The designs name the font family "MS Sans Serif"; it is drawn with the one sans font the
// program installs, so that the windows look alike on every machine. Call once at start-up.
void installDesignFonts();

// Names the installed family outright in the fonts of a window drawn from its design (the window
// and every control that sets a font of its own), before any of them is measured or drawn. The
// font is the one the mapping above gives, but found directly: asked for a family the system
// does not have, the toolkit would first ask fontconfig for its whole fallback list.
void nameInstalledFonts(QWidget* window);

inline constexpr char kDesignFontFamily[] = "MS Sans Serif";
inline constexpr char kInstalledSansFamily[] = "Liberation Sans";

}  // namespace miravane
