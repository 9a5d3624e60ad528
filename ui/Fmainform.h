#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "Carta.h"
#include "Desktop.h"
#include "Form.h"

namespace Ui {
class TMainForm;
}

namespace miravane {

class PictureBox;

// The main window: the banner with the maker's link, the table of 22 face-down cards, and the
// footer. Five different picks shuffle the deck and open the reading; closing it clears the table.
class TMainForm : public Form {
    Q_OBJECT

public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

public slots:
    // The design connects the controls' clicks to these (a misspelt one does not build).
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

    std::unique_ptr<Ui::TMainForm> ui_;
    // The card images by table position: the top row left to right, then the bottom row.
    std::array<PictureBox*, kNumCartas> cardImages_{};
    std::array<std::uint8_t, kNumCartas> seleccionada_{};
    std::int32_t numElegidas_ = 0;
    vcartas cartas_;
    FirstShowPlacement placement_;
};

}  // namespace miravane
