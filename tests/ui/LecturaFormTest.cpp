#include <gtest/gtest.h>

#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include "BitBtn.h"
#include "Bitmap16.h"
#include "Cartas.h"
#include "Controls.h"
#include "Modal.h"

namespace miravane {
namespace {

using testing::control;
using testing::readingSlot;

const QString kRechazo =
    "I don't like to give this result, you know, this is a game, and you get a bad hand. Forget it.";

class Lectura : public ::testing::Test {
protected:
    Lectura() { owner.setGeometry(198, 179, 627, 409); }

    // A reading of the given table positions over the given deck order, shown (not modally).
    TLecturaForm& showReading(std::array<std::int32_t, 5> picks, std::uint32_t seed) {
        deck.barajar(seed);
        deck.elegidas = picks;
        reading = std::make_unique<TLecturaForm>(&owner);
        reading->baraja = &deck;
        reading->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(reading.get()));
        return *reading;
    }

    void expectSlot(int k, int card) {
        const testing::ReadingSlot slot = readingSlot(*reading, k);
        SCOPED_TRACE("slot " + std::to_string(k));
        EXPECT_TRUE(slot.picture->picture().sharesDataWith(testing::storedFace(*reading, card).picture()));
        EXPECT_EQ(slot.title->text().toStdString(), deck.naipes[card].nombre);
        EXPECT_EQ(slot.meaning->text().toStdString(), deck.naipes[card].texto[k]);
    }

    QWidget owner;
    vcartas deck;
    std::unique_ptr<TLecturaForm> reading;
};

TEST_F(Lectura, SlotsFollowThePickOrder) {
    showReading({21, 0, 5, 12, 3}, 1);
    expectSlot(0, deck.orden[21]);
    expectSlot(1, deck.orden[0]);
    expectSlot(2, deck.orden[5]);
    expectSlot(3, deck.orden[12]);
    expectSlot(4, deck.orden[3]);
}

TEST_F(Lectura, TheOrderOfSeedZeroWithTheFirstFivePositions) {
    showReading({0, 1, 2, 3, 4}, 0);
    const int cards[] = {5, 15, 8, 7, 18};
    const char* titles[] = {"VI - The Lovers", "XVI - The Tower", "IX - The Hermit", "VIII - Justice", "XIX - The Sun"};
    for (int k = 0; k < 5; ++k) {
        expectSlot(k, cards[k]);
        EXPECT_EQ(readingSlot(*reading, k).title->text(), titles[k]);
    }
    const char* headings[] = {" What you have to do:", " What plays against you:", " Who will judge:",
                              " The sentence will be:", " Summarizing:"};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(readingSlot(*reading, k).heading->text(), headings[k]);
}

// Five picks over the order of seed 0 that put the given card in the given slot.
std::array<std::int32_t, 5> picksPutting(int card, int slot) {
    vcartas order;
    order.barajar(0);
    const auto position = static_cast<std::int32_t>(std::find(order.orden.begin(), order.orden.end(), card) -
                                                    order.orden.begin());
    std::array<std::int32_t, 5> picks{};
    std::int32_t next = 0;
    for (int k = 0; k < 5; ++k) {
        if (next == position) ++next;
        picks[k] = k == slot ? position : next++;
    }
    return picks;
}

TEST_F(Lectura, DeathRefusesToAnswerWhoJudgesAndTheSentence) {
    for (int slot = 0; slot < 5; ++slot) {
        showReading(picksPutting(12, slot), 0);
        EXPECT_EQ(readingSlot(*reading, slot).title->text(), "XIII - Death");
        EXPECT_EQ(readingSlot(*reading, slot).meaning->text() == kRechazo, slot == 2 || slot == 3) << "slot " << slot;
    }
}

TEST_F(Lectura, TheHermitSpeaksSpanishOnlyForTheSentence) {
    for (int slot = 0; slot < 5; ++slot) {
        showReading(picksPutting(8, slot), 0);
        EXPECT_EQ(readingSlot(*reading, slot).title->text(), "IX - The Hermit");
        const bool spanish = readingSlot(*reading, slot).meaning->text().startsWith(QString::fromUtf8("Deber\xC3\xA1s"));
        EXPECT_EQ(spanish, slot == 3) << "slot " << slot;
    }
}

TEST_F(Lectura, DesignOfTheWindow) {
    showReading({0, 1, 2, 3, 4}, 0);
    const auto ui = [this](const char* name) { return control<QFrame>(*reading, name); };
    const auto* header = control<QLabel>(*reading, "StaticText16");
    const auto* again = control<BitBtn>(*reading, "BitBtn1");
    EXPECT_EQ(reading->size(), QSize(622, 420));
    EXPECT_EQ(reading->minimumSize(), reading->maximumSize());
    EXPECT_EQ(reading->windowTitle(), QString::fromUtf8("Interpretaci\xC3\xB3n de las cartas"));
    EXPECT_EQ(ui("Panel1")->geometry(), QRect(0, 0, 622, 65));
    EXPECT_EQ(header->geometry(), QRect(56, 4, 513, 53));
    EXPECT_EQ(header->text(), "\nHere it is your Tarot reading:");
    EXPECT_EQ(header->font().pixelSize(), 15);
    EXPECT_EQ(header->backgroundRole(), QPalette::Base);
    EXPECT_EQ(ui("ScrollBox1")->geometry(), QRect(0, 65, 622, 314));
    EXPECT_EQ(ui("ScrollBox1")->frameWidth(), 2);
    EXPECT_EQ(ui("Panel2")->geometry(), QRect(0, 379, 622, 41));
    EXPECT_EQ(again->geometry(), QRect(248, 8, 113, 25));
    EXPECT_EQ(again->text(), "Again");
    EXPECT_FALSE(again->icon().isNull());
    const QIcon glyph = again->icon();
    const QImage fine = glyph.pixmap(QSize(16, 16), 2.0).toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(fine.size(), QSize(32, 32)) << "the glyph at 200 %";
    EXPECT_NE(fine, glyph.pixmap(QSize(16, 16), 1.0).toImage().convertToFormat(QImage::Format_ARGB32).scaled(32, 32))
        << "drawn at twice the size, not with its pixels doubled";
    // At 96 dpi the glyphs are the bitmap's own pixels: the normal one on the left, the disabled on the right.
    const QImage strip = withBottomLeftTransparent(loadBitmap16(":/glyph-again.bmp")).convertToFormat(QImage::Format_ARGB32);
    for (const auto& [mode, left] : {std::pair{QIcon::Normal, 0}, std::pair{QIcon::Disabled, 16}})
        EXPECT_EQ(glyph.pixmap(QSize(16, 16), 1.0, mode).toImage().convertToFormat(QImage::Format_ARGB32),
                  strip.copy(left, 0, 16, 16))
            << "glyph " << left / 16;

    const int pictureY[] = {15, 191, 369, 535, 721}, titleY[] = {146, 325, 501, 665, 851},
              titleH[] = {22, 20, 20, 22, 22}, headingY[] = {15, 192, 368, 534, 720};
    for (int k = 0; k < 5; ++k) {
        const testing::ReadingSlot slot = readingSlot(*reading, k);
        SCOPED_TRACE("slot " + std::to_string(k));
        EXPECT_EQ(slot.picture->geometry(), QRect(40, pictureY[k], 80, 130));
        EXPECT_EQ(slot.title->geometry(), QRect(8, titleY[k], 145, titleH[k]));
        EXPECT_EQ(slot.heading->geometry(), QRect(152, headingY[k], 425, 33));
        EXPECT_EQ(slot.meaning->geometry(), QRect(152, headingY[k] + 32, 425, 121));
        EXPECT_EQ(slot.heading->backgroundRole(), QPalette::ToolTipBase);
        EXPECT_EQ(slot.meaning->backgroundRole(), QPalette::Light);
        EXPECT_EQ(slot.title->backgroundRole(), QPalette::Midlight);
        EXPECT_EQ(slot.heading->font().pixelSize(), 19);
        EXPECT_EQ(slot.meaning->font().pixelSize(), 15);
        EXPECT_EQ(slot.title->font().pixelSize(), 8);
        EXPECT_TRUE(slot.title->font().bold());
        EXPECT_TRUE(slot.meaning->wordWrap());
    }
    for (int card = 0; card < kNumCartas; ++card) EXPECT_FALSE(testing::storedFace(*reading, card).isVisible());
}

TEST_F(Lectura, ScrollsOverTheWholeReadingAndOpensOnTheFirstSlot) {
    showReading({0, 1, 2, 3, 4}, 0);
    auto* box = control<QScrollArea>(*reading, "ScrollBox1");
    const int viewport = box->viewport()->height();
    EXPECT_EQ(box->widget()->height(), 873);
    EXPECT_EQ(box->verticalScrollBar()->maximum(), 873 - viewport);
    EXPECT_EQ(box->verticalScrollBar()->value(), 0);
    EXPECT_EQ(box->horizontalScrollBar()->maximum(), 0) << "no horizontal scrolling";

    const QRect visible(0, 0, box->viewport()->width(), viewport);
    auto shown = [&](const QWidget* w) { return visible.contains(w->geometry()); };
    const testing::ReadingSlot first = readingSlot(*reading, 0), second = readingSlot(*reading, 1);
    EXPECT_TRUE(shown(first.picture) && shown(first.title) && shown(first.heading) && shown(first.meaning));
    EXPECT_TRUE(shown(second.heading));
    EXPECT_TRUE(visible.intersects(second.picture->geometry()) && !shown(second.picture)) << "cut at the bottom";
    EXPECT_TRUE(visible.intersects(second.meaning->geometry()) && !shown(second.meaning));
    EXPECT_FALSE(visible.intersects(second.title->geometry())) << "wholly below";
    for (int k = 2; k < 5; ++k) EXPECT_FALSE(visible.intersects(readingSlot(*reading, k).heading->geometry()));

    QTest::mouseMove(box->viewport());
    QWheelEvent wheel(QPointF(100, 100), box->viewport()->mapToGlobal(QPointF(100, 100)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(box->viewport(), &wheel);
    EXPECT_GT(box->verticalScrollBar()->value(), 0) << "the mouse wheel scrolls the reading";
}

TEST_F(Lectura, FacesAreDecodedOnlyWhenTheirSlotIsDrawn) {
    showReading({0, 1, 2, 3, 4}, 0);
    QTest::qWait(20);
    auto decodedFaces = [this] {
        int decoded = 0;
        for (int card = 0; card < kNumCartas; ++card) decoded += testing::storedFace(*reading, card).picture().isDecoded();
        return decoded;
    };
    EXPECT_TRUE(readingSlot(*reading, 0).picture->picture().isDecoded());
    EXPECT_FALSE(readingSlot(*reading, 4).picture->picture().isDecoded()) << "below the visible part";

    QScrollBar* scroll = control<QScrollArea>(*reading, "ScrollBox1")->verticalScrollBar();
    for (int value = 0; value <= scroll->maximum(); value += 100) {  // the user scrolls down the reading
        scroll->setValue(value);
        QTest::qWait(5);
    }
    for (int k = 0; k < 5; ++k) EXPECT_TRUE(readingSlot(*reading, k).picture->picture().isDecoded()) << "slot " << k;
    EXPECT_EQ(decodedFaces(), 5) << "the other faces in the store are never decoded";
}

TEST_F(Lectura, CentredOverItsOwnerAtFirstShowing) {
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    showReading({0, 1, 2, 3, 4}, 0);
    EXPECT_EQ(reading->frameGeometry().topLeft(),
              QPoint(owner.frameGeometry().left() + (owner.frameGeometry().width() - reading->frameGeometry().width()) / 2,
                     owner.frameGeometry().top() + (owner.frameGeometry().height() - reading->frameGeometry().height()) / 2));
}

// Opens the reading modally, lets `act` close it, and returns the modal result.
int closeModalReading(vcartas& deck, QWidget& owner, const std::function<void(TLecturaForm*)>& act) {
    deck.barajar(0);
    deck.elegidas = {0, 1, 2, 3, 4};
    TLecturaForm reading(&owner);
    reading.baraja = &deck;
    testing::onNextModal([&](QWidget* modal) {
        EXPECT_EQ(modal, &reading);
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == control(reading, "BitBtn1"); }))
            << "Again has the focus";
        act(&reading);
    });
    return reading.exec();
}

TEST_F(Lectura, EnterAndSpaceCloseWithOkTheCloseBoxWithCancelEscDoesNothing) {
    EXPECT_EQ(closeModalReading(deck, owner, [](TLecturaForm* r) { QTest::keyClick(r, Qt::Key_Return); }),
              QDialog::Accepted);
    EXPECT_EQ(closeModalReading(deck, owner,
                                [](TLecturaForm*) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); }),
              QDialog::Accepted);
    EXPECT_EQ(closeModalReading(deck, owner, [](TLecturaForm* r) { r->close(); }), QDialog::Rejected);
    EXPECT_EQ(closeModalReading(deck, owner,
                                [](TLecturaForm* r) {
                                    QTest::keyClick(r, Qt::Key_Escape);
                                    QTest::qWait(20);
                                    EXPECT_TRUE(r->isVisible()) << "Esc leaves it open";
                                    QTest::mouseClick(control(*r, "BitBtn1"), Qt::LeftButton);
                                }),
              QDialog::Accepted);
}

TEST_F(Lectura, ShownWithoutADeckItReportsAFailureInsteadOfReading) {
    TLecturaForm lonely(&owner);
    auto seen = testing::closeNextMessageBox();
    lonely.show();
    QTest::qWait(50);
    EXPECT_TRUE(seen->shown);
    EXPECT_EQ(seen->icon, QMessageBox::Critical);
    EXPECT_TRUE(readingSlot(lonely, 0).title->text().isEmpty());
}

}  // namespace
}  // namespace miravane
