#include "Cartas.h"

#include <stdexcept>

#include <QAbstractButton>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>

#include "Accessibility.h"
#include "AccessibleText.h"
#include "DesignLook.h"
#include "Exactly.h"
#include "MessageBoxes.h"
#include "PictureBox.h"
#include "ui_Cartas.h"

namespace miravane {

TLecturaForm::TLecturaForm(QWidget* owner)
    : DialogForm(owner), ui_(std::make_unique<Ui::TLecturaForm>()), placement_([this](QSize outer) {
          const QWidget* over = parentWidget();
          return over ? centredOverOwner(over->window()->frameGeometry(), outer) : frameGeometry().topLeft();
      }) {
    ui_->setupUi(this);
    showDecodeFailuresOf(this);
    slots_ = exactly<kNumElegidas>(Slot{ui_->Image23, ui_->StaticText3, ui_->StaticText2, ui_->StaticText1},
              Slot{ui_->Image24, ui_->StaticText6, ui_->StaticText4, ui_->StaticText5},
              Slot{ui_->Image25, ui_->StaticText9, ui_->StaticText7, ui_->StaticText8},
              Slot{ui_->Image26, ui_->StaticText12, ui_->StaticText10, ui_->StaticText11},
              Slot{ui_->Image27, ui_->StaticText15, ui_->StaticText13, ui_->StaticText14});
    faces_ = exactly<kNumCartas>(ui_->Image1,  ui_->Image2,  ui_->Image3,  ui_->Image4,  ui_->Image5,  ui_->Image6,
              ui_->Image7,  ui_->Image8,  ui_->Image9,  ui_->Image10, ui_->Image11, ui_->Image12,
              ui_->Image13, ui_->Image14, ui_->Image15, ui_->Image16, ui_->Image17, ui_->Image18,
              ui_->Image19, ui_->Image20, ui_->Image21, ui_->Image22);
    // For a screen reader: each title captions its card's face, and each heading heads its
    // meaning, as the reading's own heading heads the window.
    for (int k = 0; k < kNumElegidas; ++k) {
        slots_[k].title->setBuddy(slots_[k].picture);
        slots_[k].heading->setBuddy(slots_[k].meaning);
        presentAsHeading(slots_[k].heading);
    }
    presentAsHeading(ui_->StaticText16);
}

TLecturaForm::~TLecturaForm() = default;

void TLecturaForm::showEvent(QShowEvent* event) {
    placement_.onShow(this);
    DialogForm::showEvent(event);
    FormShow();
}

void TLecturaForm::FormShow() {
    if (!baraja) throw std::logic_error("The reading was opened without a deck to read");
    std::array<const carta*, kNumElegidas> elegidas{};
    for (int k = 0; k < kNumElegidas; ++k) {
        const int indice = baraja->indiceElegida(k);
        slots_[k].picture->assignPictureFrom(*faces_[indice]);
        elegidas[k] = &baraja->naipes[indice];
    }
    // A face is named by its title, which captions it.
    for (int k = 0; k < kNumElegidas; ++k) slots_[k].title->setText(QString::fromStdString(elegidas[k]->nombre));
    for (int k = 0; k < kNumElegidas; ++k) slots_[k].meaning->setText(QString::fromStdString(elegidas[k]->texto[k]));
    presentWhenListened(this, [this] { describeReading(); });
}

// What a screen reader says of the window as it opens: the reading as a person reads it, each
// card's title, then its heading, then its meaning. Orca reads a dialog's loose labels by where
// they lie, which puts each title after its meaning, and drops the short ones; the reading's
// labels all belong to something, so it reads this description instead.
void TLecturaForm::describeReading() {
    QStringList leido{ui_->StaticText16->text().trimmed()};
    for (const Slot& s : slots_)
        leido << s.title->text() + QLatin1Char('.') << s.heading->text().trimmed() << s.meaning->text();
    setAccessibleDescription(leido.join(QLatin1Char(' ')));
}

QList<FontUse> TLecturaForm::fontsOfAnyReading() {
    TLecturaForm form(nullptr);
    // Named as they are drawn: the installed family outright.
    nameInstalledFonts(&form);
    QHash<QFont, QString> characters;
    for (const QLabel* label : form.findChildren<QLabel*>()) characters[label->font()] += label->text();
    for (const QAbstractButton* button : form.findChildren<QAbstractButton*>())
        characters[button->font()] += button->text();
    const vcartas deck;
    for (int k = 0; k < kNumElegidas; ++k) {
        for (const carta& card : deck.naipes) {
            characters[form.slots_[k].title->font()] += QString::fromStdString(card.nombre);
            characters[form.slots_[k].meaning->font()] += QString::fromStdString(card.texto[k]);
        }
    }
    QList<FontUse> uses;
    for (auto it = characters.cbegin(); it != characters.cend(); ++it) uses.append({it.key(), it.value()});
    return uses;
}

void TLecturaForm::keyPressEvent(QKeyEvent* event) {
    // The reading has no cancel button, so Esc closes nothing.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    DialogForm::keyPressEvent(event);
}

}  // namespace miravane
