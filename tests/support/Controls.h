#pragma once

#include <array>
#include <stdexcept>

#include <QLabel>
#include <QString>
#include <QWidget>

#include "Carta.h"
#include "PictureBox.h"

// The controls of the two windows, found the way their designs name them, for the tests and the
// benchmarks that drive the windows as a user would and look at what they show.
namespace miravane::testing {

// The control the window's design names so; throws (failing the test) if there is none.
template <typename Control = QWidget>
Control* control(const QWidget& window, const QString& name) {
    auto* found = window.findChild<Control*>(name);
    if (!found) throw std::runtime_error("no control " + name.toStdString() + " in " + window.objectName().toStdString());
    return found;
}

// The main window's card image at a table position (0..21: the top row left to right, then
// the bottom row): Image2 .. Image23.
inline PictureBox* cardAt(const QWidget& table, int position) {
    return control<PictureBox>(table, QStringLiteral("Image%1").arg(position + 2));
}

// Whether the card at a table position shows the selected back: it has been picked.
inline bool showsSelectedBack(const QWidget& table, int position) {
    return cardAt(table, position)->picture().sharesDataWith(control<PictureBox>(table, "ImagenSel")->picture());
}

inline bool showsUnselectedBack(const QWidget& table, int position) {
    return cardAt(table, position)->picture().sharesDataWith(control<PictureBox>(table, "ImagenNoSel")->picture());
}

// How many cards of the table show the selected back.
inline int cardsShowingSelectedBack(const QWidget& table) {
    int shown = 0;
    for (int p = 0; p < kNumCartas; ++p) shown += showsSelectedBack(table, p);
    return shown;
}

// One slot of the reading, by the names its design gives them.
struct ReadingSlot {
    PictureBox* picture;
    QLabel* title;
    QLabel* heading;
    QLabel* meaning;
};

inline ReadingSlot readingSlot(const QWidget& reading, int k) {
    static constexpr std::array<std::array<const char*, 4>, kNumElegidas> kNames = {{
        {"Image23", "StaticText3", "StaticText2", "StaticText1"},
        {"Image24", "StaticText6", "StaticText4", "StaticText5"},
        {"Image25", "StaticText9", "StaticText7", "StaticText8"},
        {"Image26", "StaticText12", "StaticText10", "StaticText11"},
        {"Image27", "StaticText15", "StaticText13", "StaticText14"},
    }};
    const auto& names = kNames.at(static_cast<std::size_t>(k));
    return {control<PictureBox>(reading, names[0]), control<QLabel>(reading, names[1]),
            control<QLabel>(reading, names[2]), control<QLabel>(reading, names[3])};
}

// The reading's hidden store of faces: the face of card index i is Image(i + 1).
inline const PictureBox& storedFace(const QWidget& reading, int card) {
    return *control<PictureBox>(reading, QStringLiteral("Image%1").arg(card + 1));
}

}  // namespace miravane::testing
