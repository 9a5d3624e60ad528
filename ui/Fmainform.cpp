#include "Fmainform.h"

#include <algorithm>
#include <memory>

#include <QDesktopServices>
#include <QScreen>
#include <QUrl>

#include "Accessibility.h"
#include "AppInfo.h"
#include "Cartas.h"
#include "Exactly.h"
#include "MessageBoxes.h"
#include "PictureBox.h"
#include "ui_Fmainform.h"

namespace miravane {
namespace {

// What a screen reader calls the card at a table position in its current state, such as
// "Card 7 of 22, face down".
QString cardAccessibleName(int posicion, bool elegida) {
    return QStringLiteral("Card %1 of %2, %3")
        .arg(posicion + 1)
        .arg(kNumCartas)
        .arg(elegida ? QStringLiteral("picked") : QStringLiteral("face down"));
}

}  // namespace

TMainForm::TMainForm(QWidget* parent)
    : Form(parent), ui_(std::make_unique<Ui::TMainForm>()), placement_([this](QSize outer) {
          const QScreen* desktop = screen();
          return desktop ? centredOnDesktop(desktop->virtualSize(), outer) : frameGeometry().topLeft();
      }) {
    ui_->setupUi(this);
    showDecodeFailuresOf(this);
    cardImages_ = exactly<kNumCartas>(ui_->Image2,  ui_->Image3,  ui_->Image4,  ui_->Image5,  ui_->Image6,  ui_->Image7,
                   ui_->Image8,  ui_->Image9,  ui_->Image10, ui_->Image11, ui_->Image12, ui_->Image13,
                   ui_->Image14, ui_->Image15, ui_->Image16, ui_->Image17, ui_->Image18, ui_->Image19,
                   ui_->Image20, ui_->Image21, ui_->Image22, ui_->Image23);
    seleccionada_.fill(0);
    numElegidas_ = 0;
    ui_->Image1->setLink(true);
    ui_->Image1->setAccessibleName(QUrl(QString::fromUtf8(kMakerPage)).host());
    presentWhenListened(this, [this] { nameCards(); });
    // A reading draws in three sizes of its own, which would otherwise be loaded as the first
    // one opens (half the instructions it takes); once the table is on the screen there is time.
    prepareFontsAfterFirstPaint(this, &TLecturaForm::fontsOfAnyReading);
}

TMainForm::~TMainForm() = default;

// A screen reader tells the cards apart by their place and hears which are picked.
void TMainForm::nameCard(int posicion) {
    const bool elegida = seleccionada_[posicion];
    presentSelection(cardImages_[posicion], cardAccessibleName(posicion, elegida), elegida);
}

void TMainForm::nameCards() {
    for (int p = 0; p < kNumCartas; ++p) nameCard(p);
}

void TMainForm::showEvent(QShowEvent* event) {
    placement_.onShow(this);
    Form::showEvent(event);
}

void TMainForm::Image1Click() {
    // Whether a browser opened is not ours to report: a failure changes nothing and shows nothing.
    QDesktopServices::openUrl(QUrl(QString::fromUtf8(kMakerPage)));
}

void TMainForm::Image2Click() { elegir(sender()); }

void TMainForm::elegir(QObject* sender) {
    const auto found = std::find(cardImages_.begin(), cardImages_.end(), sender);
    if (found == cardImages_.end() || numElegidas_ >= kNumElegidas) return;
    const auto p = static_cast<std::size_t>(found - cardImages_.begin());

    if (seleccionada_[p]) {
        showMessage(QStringLiteral("The card is already selected, please, choose another one"));
        return;
    }
    seleccionada_[p] = 1;
    (*found)->assignPictureFrom(*ui_->ImagenSel);
    nameCard(static_cast<int>(p));
    cartas_.elegidas[numElegidas_] = static_cast<std::int32_t>(p);
    ++numElegidas_;

    if (numElegidas_ == kNumElegidas) MostrarLectura();
}

void TMainForm::MostrarLectura() {
    // The table is cleared however the reading ends, even if it could not be shown.
    struct ClearTableAfterwards {
        TMainForm* form;
        ~ClearTableAfterwards() { form->Reiniciar(); }
    } clearTable{this};

    cartas_.barajar();
    // Each reading window goes when its reading closes, so readings never pile up in memory.
    const auto lectura = std::make_unique<TLecturaForm>(this);
    lectura->baraja = &cartas_;
    lectura->exec();
}

void TMainForm::Reiniciar() {
    seleccionada_.fill(0);
    for (PictureBox* card : cardImages_) card->assignPictureFrom(*ui_->ImagenNoSel);
    numElegidas_ = 0;
    nameCards();
}

}  // namespace miravane
