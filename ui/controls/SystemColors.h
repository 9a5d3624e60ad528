#pragma once

#include <optional>

#include <QPalette>
#include <QString>

namespace miravane {

// The system colour roles the window designs name, each realised by a role of the running
// platform's palette, so that it is looked up when drawn and follows the desktop's theme.
enum class SystemColor { BtnFace, InfoBk, BtnHighlight, InactiveCaptionText, CaptionText, WindowText };

// The role for a design name such as "clInfoBk"; nothing for an unknown name.
std::optional<SystemColor> systemColorNamed(const QString& designName);

QPalette::ColorRole paletteRole(SystemColor color);

// The role a text is drawn in on a background role: the one the palette pairs with it (window
// text on the window, tooltip text on the tooltip base, text on the base, button text on the
// button and its light shades). The light shades are not made to carry text, and some themes
// give them a colour close to the button text; there the window's own colour is used when it
// reads better, whichever of the two stands out more.
QPalette::ColorRole textRoleOn(QPalette::ColorRole background, const QPalette& palette);

// The contrast ratio of two colours as the web accessibility guidelines define it: 1 to 21.
double contrastRatio(const QColor& a, const QColor& b);

}  // namespace miravane
