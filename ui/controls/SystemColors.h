#pragma once

#include <QObject>
#include <QPalette>

namespace miravane {

// The system colours a window design names (Designer writes them as, say,
// miravane::SystemColor::clInfoBk). Each is realised by a role of the running platform's
// palette, so that it is looked up when drawn and follows the desktop's theme.
namespace SystemColor {
Q_NAMESPACE
enum Name { clBtnFace, clInfoBk, clBtnHighlight, clInactiveCaptionText, clCaptionText, clWindowText };
Q_ENUM_NS(Name)
}  // namespace SystemColor

QPalette::ColorRole paletteRole(SystemColor::Name color);

// The role a text is drawn in on a background role: the one the palette pairs with it (window
// text on the window, tooltip text on the tooltip base, text on the base, button text on the
// button and its light shades). The light shades are not made to carry text, and some themes
// give them a colour close to the button text; there the window's own colour is used when it
// reads better, whichever of the two stands out more.
QPalette::ColorRole textRoleOn(QPalette::ColorRole background, const QPalette& palette);

// The contrast ratio of two colours as the web accessibility guidelines define it: 1 to 21.
double contrastRatio(const QColor& a, const QColor& b);

}  // namespace miravane
