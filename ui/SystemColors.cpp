#include "SystemColors.h"

#include <array>
#include <utility>

namespace miravane {
namespace {

struct Mapping {
    const char* designName;
    SystemColor color;
    QPalette::ColorRole role;
};

// Qt has no roles for the title-bar text colours. The designs use them only as backgrounds
// behind window text (the reading's title labels and its header), so they map to roles made
// to sit behind text: Base is white on a light theme, as the classic caption text was, and
// Midlight is the light grey of the classic inactive caption text; both stay readable under
// WindowText on dark themes too.
constexpr std::array kMappings = {
    Mapping{"clBtnFace", SystemColor::BtnFace, QPalette::Window},
    Mapping{"clInfoBk", SystemColor::InfoBk, QPalette::ToolTipBase},
    Mapping{"clBtnHighlight", SystemColor::BtnHighlight, QPalette::Light},
    Mapping{"clInactiveCaptionText", SystemColor::InactiveCaptionText, QPalette::Midlight},
    Mapping{"clCaptionText", SystemColor::CaptionText, QPalette::Base},
    Mapping{"clWindowText", SystemColor::WindowText, QPalette::WindowText},
};

}  // namespace

std::optional<SystemColor> systemColorNamed(const QString& designName) {
    for (const Mapping& m : kMappings)
        if (designName == QLatin1String(m.designName)) return m.color;
    return std::nullopt;
}

QPalette::ColorRole paletteRole(SystemColor color) {
    for (const Mapping& m : kMappings)
        if (m.color == color) return m.role;
    return QPalette::Window;
}

}  // namespace miravane
