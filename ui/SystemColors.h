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

}  // namespace miravane
