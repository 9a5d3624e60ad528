#pragma once

#include <array>
#include <cstdint>

#include <QWidget>

#include "Carta.h"
#include "ui_Fmainform.h"

namespace miravane {

// The main window: the banner with the maker's link, the table of 22 face-down cards, and the
// footer. Five different picks shuffle the deck and open the reading; closing it clears the table.
class TMainForm : public QWidget {
    Q_OBJECT

public:
    explicit TMainForm(QWidget* parent = nullptr);

    const vcartas& cartas() const { return cartas_; }
    int numElegidas() const { return numElegidas_; }
    bool seleccionada(int posicion) const { return seleccionada_.at(posicion) != 0; }

    // The card image at a table position (0..21: top row left to right, then the bottom row).
    PictureBox* cardImage(int posicion) const { return cardImages_.at(posicion); }
    const Ui::TMainForm& design() const { return ui_; }

public slots:
    void Image2Click();  // a click on any card image; the sender tells which
    void Image1Click();  // a click on the banner

protected:
    void showEvent(QShowEvent* event) override;

private:
    void elegir(QObject* sender);
    void MostrarLectura();
    void Reiniciar();
    void nameCard(int posicion);
    void nameCards();

    Ui::TMainForm ui_;
    std::array<PictureBox*, kNumCartas> cardImages_{};
    std::array<std::uint8_t, kNumCartas> seleccionada_{};
    std::int32_t numElegidas_ = 0;
    vcartas cartas_;
    bool placed_ = false;
};

}  // namespace miravane
