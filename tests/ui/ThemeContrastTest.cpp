#include <gtest/gtest.h>

#include <cstdio>
#include <map>

#include <QLabel>
#include <QTest>

#include "BitBtn.h"
#include "Cartas.h"
#include "Controls.h"
#include "Fmainform.h"
#include "MessageBoxes.h"
#include "Modal.h"
#include "SystemColors.h"

namespace miravane {
namespace {

// Every text of both windows and the message box must read at 4.5:1 or better (the web
// accessibility guidelines' level for body text) in each of these palettes.
constexpr double kLeastContrast = 4.5;

struct Theme {
    const char* name;
    QPalette palette;
};

// A palette from the colours of the roles a theme sets; the rest derived as Qt derives them.
QPalette paletteOf(std::initializer_list<std::pair<QPalette::ColorRole, const char*>> colours) {
    std::map<QPalette::ColorRole, QColor> given;
    for (const auto& [role, name] : colours) given[role] = QColor(QLatin1String(name));
    QPalette palette(given.at(QPalette::Button), given.at(QPalette::Window));
    for (const auto& [role, colour] : given) palette.setColor(role, colour);
    return palette;
}

std::vector<Theme> themes() {
    using P = QPalette;
    return {
        // What the platform gives: on the offscreen platform (and bare X) Qt's light default.
        {"platform", QApplication::palette()},
        // Qt's GTK platform theme under Adwaita:dark, as Qt 6.4 reads it.
        {"Adwaita dark", paletteOf({{P::Window, "#323232"}, {P::WindowText, "#f0f0f0"}, {P::Base, "#242424"},
                                    {P::Text, "#f0f0f0"}, {P::Button, "#323232"}, {P::ButtonText, "#f0f0f0"},
                                    {P::Light, "#4b4b4b"}, {P::Midlight, "#2a2a2a"}, {P::Dark, "#212121"},
                                    {P::Mid, "#262626"}, {P::Shadow, "#191919"}, {P::ToolTipBase, "#ffffdc"},
                                    {P::ToolTipText, "#000000"}, {P::BrightText, "#4b4b4b"}})},
        // qt6ct's "darker" colour scheme, as shipped.
        {"qt6ct darker", paletteOf({{P::WindowText, "#ffffff"}, {P::Button, "#424245"}, {P::Light, "#979797"},
                                    {P::Midlight, "#5e5c5b"}, {P::Dark, "#302f2e"}, {P::Mid, "#4a4947"},
                                    {P::Text, "#ffffff"}, {P::BrightText, "#ffffff"}, {P::ButtonText, "#ffffff"},
                                    {P::Base, "#3d3d3d"}, {P::Window, "#222020"}, {P::Shadow, "#e7e4e0"},
                                    {P::ToolTipBase, "#3f3f36"}, {P::ToolTipText, "#ffffff"}})},
        // A dark window and light views, as some themes pair them: text on the base is no
        // longer the window's text colour.
        {"dark window, light view", paletteOf({{P::Window, "#2d2d2d"}, {P::WindowText, "#eeeeee"}, {P::Base, "#ffffff"},
                                               {P::Text, "#1e1e1e"}, {P::Button, "#3a3a3a"}, {P::ButtonText, "#eeeeee"},
                                               {P::ToolTipBase, "#ffffdc"}, {P::ToolTipText, "#000000"}})},
        // KDE's Breeze Dark colour scheme; its shades derived from the button colour.
        {"Breeze dark", paletteOf({{P::Window, "#202326"}, {P::WindowText, "#fcfcfc"}, {P::Base, "#141618"},
                                   {P::Text, "#fcfcfc"}, {P::Button, "#292c30"}, {P::ButtonText, "#fcfcfc"},
                                   {P::ToolTipBase, "#292c30"}, {P::ToolTipText, "#fcfcfc"}})},
    };
}

// The contrast of a text as drawn: the commonest colour inside the widget's frame is its
// background, and the pixel that stands out most from it is the core of a letter.
double drawnContrast(QWidget* widget) {
    const int inset = 1 + (qobject_cast<QFrame*>(widget) ? qobject_cast<QFrame*>(widget)->frameWidth() : 0);
    const QImage drawn = widget->grab()
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32)
                             .copy(widget->rect().adjusted(inset, inset, -inset, -inset));
    std::map<QRgb, int> counts;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x) ++counts[drawn.pixel(x, y)];
    QRgb background = 0;
    int most = 0;
    for (const auto& [colour, count] : counts)
        if (count > most) std::tie(background, most) = std::tie(colour, count);
    double best = 1;
    for (const auto& [colour, count] : counts) best = std::max(best, contrastRatio(QColor(colour), QColor(background)));
    return best;
}

class ThemeContrast : public ::testing::Test {
protected:
    ThemeContrast() : original_(QApplication::palette()) {
        deck_.barajar(0);
        deck_.elegidas = {0, 1, 2, 3, 4};
    }
    ~ThemeContrast() override { QApplication::setPalette(original_); }

    // Every text the user reads, with its name, in the theme's palette: applied before the
    // windows open, or while both are open, as when the user switches themes.
    std::vector<std::pair<QString, double>> measure(const QPalette& theme, bool whileOpen) {
        if (!whileOpen) QApplication::setPalette(theme);
        std::vector<std::pair<QString, double>> measured;
        TMainForm form;
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        TLecturaForm reading(&form);
        reading.baraja = &deck_;
        reading.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&reading));
        if (whileOpen) {
            QApplication::setPalette(theme);
            QCoreApplication::processEvents();  // the windows hear of it through posted events
        }

        for (QLabel* label : form.findChildren<QLabel*>())
            if (label->window() == &form) measured.emplace_back(label->objectName(), drawnContrast(label));
        for (QLabel* label : reading.findChildren<QLabel*>())
            measured.emplace_back("reading " + label->objectName(), drawnContrast(label));
        // The button's caption is drawn by the style, over its own gradient, in the button text colour.
        const QPalette& button = testing::control<BitBtn>(reading, "BitBtn1")->palette();
        measured.emplace_back("reading BitBtn1", contrastRatio(button.color(QPalette::ButtonText), button.color(QPalette::Button)));

        testing::onNextModal([&](QWidget* box) {
            if (auto* text = box->findChild<QLabel*>("qt_msgbox_label"))
                measured.emplace_back("message box", drawnContrast(text));
            box->close();
        });
        showMessage(QStringLiteral("The card is already selected, please, choose another one"));
        return measured;
    }

    QPalette original_;
    vcartas deck_;
};

TEST_F(ThemeContrast, EveryTextReadsWellInLightAndDarkThemes) {
    const bool printTable = qEnvironmentVariableIsSet("MIRAVANE_CONTRAST_TABLE");
    for (bool whileOpen : {false, true}) {
        for (const Theme& theme : themes()) {
            SCOPED_TRACE(std::string(theme.name) + (whileOpen ? ", switched to with the windows open" : ""));
            QApplication::setPalette(original_);
            const auto measured = measure(theme.palette, whileOpen);
            EXPECT_GE(measured.size(), 3u + 16u + 2u) << "both windows and the message box were measured";
            for (const auto& [text, ratio] : measured) {
                EXPECT_GE(ratio, kLeastContrast) << text.toStdString();
                if (printTable) std::printf("%s\t%d\t%s\t%.2f\n", theme.name, whileOpen, qPrintable(text), ratio);
            }
        }
    }
}

}  // namespace
}  // namespace miravane
