#pragma once

#include <array>
#include <memory>

#include "Carta.h"
#include "Desktop.h"
#include "FontPreparation.h"
#include "Form.h"

class QLabel;

namespace Ui {
class TLecturaForm;
}

namespace miravane {

class PictureBox;

// The reading: five slots, one per pick in pick order, each with the card's face, its title
// and its meaning text for that slot under a fixed heading. Filled when shown; "Again" closes
// it with result Accepted, the close box with Rejected; Esc does nothing.
class TLecturaForm : public DialogForm {
    Q_OBJECT

public:
    explicit TLecturaForm(QWidget* owner);
    ~TLecturaForm() override;

    // The deck the reading is read from; not owned. Set before the window is shown.
    vcartas* baraja = nullptr;

    // Every font a reading draws in, with every character it may draw in it: the titles and
    // meanings of all the cards, not only those one reading shows. A reading window is built
    // to be asked, and thrown away.
    static QList<FontUse> fontsOfAnyReading();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormShow();
    void describeReading();

    struct Slot {
        PictureBox* picture;
        QLabel* title;
        QLabel* heading;
        QLabel* meaning;
    };

    std::unique_ptr<Ui::TLecturaForm> ui_;
    std::array<Slot, kNumElegidas> slots_{};
    // The hidden picture store: the face of card index i.
    std::array<PictureBox*, kNumCartas> faces_{};
    FirstShowPlacement placement_;
};

}  // namespace miravane
