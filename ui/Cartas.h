#pragma once

#include <array>

#include <QDialog>

#include "Carta.h"
#include "ui_Cartas.h"

namespace miravane {

// The reading: five slots, one per pick in pick order, each with the card's face, its title
// and its meaning text for that slot under a fixed heading. Filled when shown; "Again" closes
// it with result Accepted, the close box with Rejected; Esc does nothing.
class TLecturaForm : public QDialog {
    Q_OBJECT

public:
    explicit TLecturaForm(QWidget* owner);

    // The deck the reading is read from; not owned. Set before the window is shown.
    vcartas* baraja = nullptr;

    struct Slot {
        PictureBox* picture;
        QLabel* title;
        QLabel* heading;
        QLabel* meaning;
    };
    const Slot& slot(int k) const { return slots_.at(k); }

    // The hidden picture store: the face of card index i.
    const PictureBox& face(int i) const { return *faces_.at(i); }

    const Ui::TLecturaForm& design() const { return ui_; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormShow();

    Ui::TLecturaForm ui_;
    std::array<Slot, kNumElegidas> slots_{};
    std::array<PictureBox*, kNumCartas> faces_{};
    bool placed_ = false;
};

}  // namespace miravane
