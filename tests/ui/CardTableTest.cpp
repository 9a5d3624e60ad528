#include <gtest/gtest.h>

#include <stdexcept>

#include <QTest>
#include <QWindow>

#include "Cartas.h"
#include "Controls.h"
#include "Fmainform.h"
#include "Modal.h"

namespace miravane {
namespace {

const QString kAlreadySelected = "The card is already selected, please, choose another one";

class CardTable : public ::testing::Test {
protected:
    void SetUp() override {
        vcartas::reloj = [] { return std::time_t{0}; };  // the order of seed 0
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    void TearDown() override { vcartas::reloj = realClock; }

    PictureBox* card(int position) const { return testing::cardAt(form, position); }
    void click(int position) { QTest::mouseClick(card(position), Qt::LeftButton); }

    // A double-click as the window system delivers it: press, release, press, release in quick succession.
    void doubleClick(int position) {
        QWindow* window = form.windowHandle();
        const QPoint at = card(position)->mapTo(&form, card(position)->rect().center());
        QTest::mouseDClick(window, Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, at);
    }

    bool showsSelectedBack(int position) const { return testing::showsSelectedBack(form, position); }
    int picked() const { return testing::cardsShowingSelectedBack(form); }

    // Picks the given positions, which must open the reading at the last of them and not before;
    // the reading is handed to `inReading`, and closed if it is still open.
    template <std::size_t N>
    void pickUntilReading(std::array<int, N> positions, std::function<void(TLecturaForm*)> inReading) {
        std::size_t clicks = 0, openedAt = 0;
        auto opened = testing::onNextModal([&](QWidget* modal) {
            openedAt = clicks;
            auto* reading = qobject_cast<TLecturaForm*>(modal);
            if (reading) inReading(reading);
            if (modal->isVisible()) modal->close();
            EXPECT_NE(reading, nullptr) << "a box opened instead of the reading";
        });
        for (int position : positions) {
            ++clicks;
            click(position);
            if (*opened) break;
        }
        EXPECT_TRUE(*opened) << "the reading did not open";
        EXPECT_EQ(openedAt, N) << "the reading opened at pick " << openedAt << ", not at the last of " << N;
    }

    void expectClearTable() {
        const QImage back = testing::control<PictureBox>(form, "ImagenNoSel")->picture().image();
        for (int p = 0; p < kNumCartas; ++p) {
            EXPECT_EQ(card(p)->size(), QSize(40, 80));
            EXPECT_EQ(card(p)->grab().toImage().convertToFormat(QImage::Format_RGB32),
                      back.convertToFormat(QImage::Format_RGB32))
                << "position " << p << " shows the unselected back, pixel for pixel";
        }
    }

    const vcartas::Reloj realClock = vcartas::reloj;
    TMainForm form;
};

TEST_F(CardTable, DesignOfTheTable) {
    using testing::control;
    EXPECT_EQ(control(form, "Panel2")->geometry(), QRect(56, 16, 521, 224));
    EXPECT_EQ(control(form, "StaticText1")->geometry(), QRect(1, 0, 520, 49));
    EXPECT_EQ(control<QLabel>(form, "StaticText1")->text(), "\nSelect 5 cards to obtain your tarot reading");
    EXPECT_FALSE(control(form, "ImagenNoSel")->isVisible());
    EXPECT_FALSE(control(form, "ImagenSel")->isVisible());
    const int columns[] = {0, 48, 96, 144, 192, 240, 288, 336, 384, 432, 481};
    for (int p = 0; p < kNumCartas; ++p) {
        SCOPED_TRACE("position " + std::to_string(p));
        EXPECT_EQ(card(p)->objectName(), QString("Image%1").arg(p + 2));
        EXPECT_EQ(card(p)->geometry(), QRect(columns[p % 11], p < 11 ? 56 : 144, 40, 80));
        EXPECT_EQ(card(p)->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_EQ(card(p)->focusPolicy(), Qt::NoFocus);
    }
    expectClearTable();
}

// The card of the seed-0 order lying at a table position.
const carta& cardOfSeedZeroAt(int position) {
    static const vcartas seed0 = [] {
        vcartas deck;
        deck.barajar(0);
        return deck;
    }();
    return seed0.naipes[seed0.orden[position]];
}

TEST_F(CardTable, ASecondClickOnAPickedCardIsRefusedOnce) {
    click(7);
    auto seen = testing::closeNextMessageBox();
    click(7);
    EXPECT_TRUE(seen->shown);
    EXPECT_EQ(seen->text, kAlreadySelected);
    EXPECT_EQ(seen->caption, "Miravane");
    EXPECT_EQ(seen->icon, QMessageBox::NoIcon);
    EXPECT_EQ(picked(), 1);
    EXPECT_TRUE(showsSelectedBack(7));
    EXPECT_EQ(card(7)->size(), QSize(40, 80));
    EXPECT_EQ(card(7)->pos(), QPoint(336, 56));

    // One pick was counted, the first: four more open the reading, with card 7's first.
    pickUntilReading(std::array{1, 2, 3, 4}, [](TLecturaForm* reading) {
        EXPECT_EQ(testing::readingSlot(*reading, 0).title->text().toStdString(), cardOfSeedZeroAt(7).nombre);
    });
}

TEST_F(CardTable, ADoubleClickPicksAnUnpickedCardOnceAndRefusesAPickedOneOnce) {
    testing::ModalCounter modals;
    doubleClick(3);
    QTest::qWait(30);
    EXPECT_EQ(modals.count(), 0);
    EXPECT_EQ(picked(), 1);
    EXPECT_TRUE(showsSelectedBack(3));

    doubleClick(3);
    QTest::qWait(30);
    EXPECT_EQ(modals.count(), 1);
    EXPECT_EQ(picked(), 1);
}

TEST_F(CardTable, OtherButtonsAndTheKeyboardNeverPick) {
    QTest::mouseClick(card(4), Qt::RightButton);
    QTest::mouseClick(card(4), Qt::MiddleButton);
    QTest::mousePress(card(5), Qt::LeftButton);
    QTest::mouseRelease(card(5), Qt::LeftButton, Qt::NoModifier, QPoint(-10, -10));  // released off the card
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) QTest::keyClick(&form, key);
    EXPECT_EQ(picked(), 0);
}

TEST_F(CardTable, TheFifthPickOpensTheReadingAtOnceAndClosingItClearsTheTable) {
    pickUntilReading(std::array{0, 11, 21, 10, 4}, [this](TLecturaForm* reading) {
        EXPECT_TRUE(reading->isVisible());
        EXPECT_TRUE(reading->isModal());
        EXPECT_EQ(reading->parentWidget(), &form);
        EXPECT_EQ(picked(), 5);
        EXPECT_TRUE(showsSelectedBack(4)) << "the fifth card turned before the reading opened";
        QTest::keyClick(reading, Qt::Key_Return);
    });
    expectClearTable();

    // The next click is the first pick of a new reading.
    pickUntilReading(std::array{9, 0, 11, 21, 10}, [](TLecturaForm* reading) {
        EXPECT_EQ(testing::readingSlot(*reading, 0).title->text().toStdString(), cardOfSeedZeroAt(9).nombre);
    });
}

TEST_F(CardTable, TheTableIsClearedHoweverTheReadingEnds) {
    pickUntilReading(std::array{1, 2, 3, 4, 5}, [](TLecturaForm* reading) { reading->close(); });
    expectClearTable();

    // A reading that cannot be laid out at all: the shuffle fails before its window exists.
    vcartas::reloj = []() -> std::time_t { throw std::runtime_error("The clock cannot be read"); };
    for (int p : {1, 2, 3, 4}) click(p);
    const auto error = testing::closeNextMessageBox();
    click(5);
    EXPECT_TRUE(error->shown);
    EXPECT_EQ(error->text, "The clock cannot be read.");
    expectClearTable();
}

TEST_F(CardTable, PicksInAnyOrderAreReadInTheOrderMade) {
    const std::array<int, 5> picks = {21, 0, 5, 12, 3};
    pickUntilReading(picks, [&](TLecturaForm* reading) {
        for (int k = 0; k < 5; ++k) {
            const carta& expected = cardOfSeedZeroAt(picks[k]);
            EXPECT_EQ(testing::readingSlot(*reading, k).title->text().toStdString(), expected.nombre);
            EXPECT_EQ(testing::readingSlot(*reading, k).meaning->text().toStdString(), expected.texto[k]);
        }
        EXPECT_EQ(testing::readingSlot(*reading, 0).title->text(), "XIII - Death")
            << "position 21 holds card 12 after seed 0";
    });
}

TEST_F(CardTable, EachReadingWindowIsReleasedWhenItCloses) {
    for (int reading = 0; reading < 3; ++reading) {
        pickUntilReading(std::array{6, 7, 8, 9, 10}, [](TLecturaForm* r) { QTest::keyClick(r, Qt::Key_Space); });
        QTest::qWait(10);
        EXPECT_TRUE(form.findChildren<TLecturaForm*>().isEmpty());
    }
}

}  // namespace
}  // namespace miravane
