#include "SystemColors.h"

#include <algorithm>
#include <cmath>

#include <QColor>

namespace miravane {

// Qt has no roles for the title-bar text colours. The designs use them only as backgrounds
// behind window text (the reading's title labels and its header), so they map to roles made
// to sit behind text: Base is white on a light theme, as the classic caption text was, and
// Midlight is the light grey of the classic inactive caption text. The text on them is drawn in
// the colour the palette pairs with them (textRoleOn), so they read on dark themes too.
QPalette::ColorRole paletteRole(SystemColor::Name color) {
    switch (color) {
    case SystemColor::clBtnFace: return QPalette::Window;
    case SystemColor::clInfoBk: return QPalette::ToolTipBase;
    case SystemColor::clBtnHighlight: return QPalette::Light;
    case SystemColor::clInactiveCaptionText: return QPalette::Midlight;
    case SystemColor::clCaptionText: return QPalette::Base;
    case SystemColor::clWindowText: return QPalette::WindowText;
    }
    return QPalette::Window;
}

QPalette::ColorRole textRoleOn(QPalette::ColorRole background, const QPalette& palette) {
    switch (background) {
    case QPalette::ToolTipBase:
        return QPalette::ToolTipText;
    case QPalette::Base:
    case QPalette::AlternateBase:
        return QPalette::Text;
    case QPalette::Button:
        return QPalette::ButtonText;
    case QPalette::Light:
    case QPalette::Midlight: {
        const QColor ground = palette.color(background);
        const double paired = contrastRatio(palette.color(QPalette::ButtonText), ground);
        return contrastRatio(palette.color(QPalette::Window), ground) > paired ? QPalette::Window
                                                                                : QPalette::ButtonText;
    }
    default:
        return QPalette::WindowText;
    }
}

namespace {

double relativeLuminance(const QColor& colour) {
    auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

}  // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = relativeLuminance(a), lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace miravane
