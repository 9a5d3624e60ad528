#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include "MessageBoxes.h"
#include "Modal.h"
#include "PictureBox.h"
#include "Sanitizers.h"

namespace miravane {
namespace {

class Pictures : public ::testing::Test {
protected:
    Pictures() {
        parent.resize(200, 200);
        holder.setPictureResource(":/cards/back-selected.jpg");
        holder.setVisible(false);
        shown.setAutoSize(true);
        shown.move(10, 10);
    }
    void showParent() {
        parent.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    }

    QWidget parent;
    PictureBox holder{&parent};
    PictureBox shown{&parent};
};

TEST_F(Pictures, ACopyIsDecodedAtTheReceiversNextPaintNeverByTheHiddenHolder) {
    showParent();
    QTest::qWait(20);
    EXPECT_FALSE(holder.picture().isDecoded()) << "hidden holders are never drawn";

    shown.assignPictureFrom(holder);
    EXPECT_TRUE(shown.picture().sharesDataWith(holder.picture()));
    EXPECT_EQ(shown.picture().stream().constData(), holder.picture().stream().constData());
    EXPECT_EQ(shown.size(), QSize(40, 80)) << "auto-size takes the picture's size";
    EXPECT_FALSE(shown.picture().isDecoded()) << "not at the copy";

    shown.repaint();
    EXPECT_TRUE(shown.picture().isDecoded());
    EXPECT_EQ(shown.grab().toImage().convertToFormat(QImage::Format_RGB32),
              holder.picture().image().convertToFormat(QImage::Format_RGB32));
}

// The control as a screen of the given device pixel ratio shows it.
QImage renderedAt(QWidget& widget, qreal ratio) {
    QImage image(widget.size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::black);
    widget.render(&image);
    image.setDevicePixelRatio(1);
    return image;
}

// Columns the same as the one left of them, all the way down: what stretching a picture by
// repeating some of its columns leaves behind.
int repeatedColumns(const QImage& image) {
    int repeated = 0;
    for (int x = 1; x < image.width(); ++x) {
        int y = 0;
        while (y < image.height() && image.pixel(x, y) == image.pixel(x - 1, y)) ++y;
        repeated += y == image.height();
    }
    return repeated;
}

TEST_F(Pictures, AboveOneDevicePixelPerPixelTheArtAtTwiceTheSizeIsDrawnNotTheSmallOneEnlarged) {
    shown.setPictureResource(":/cards/face-05.jpg");
    const JpegPicture twice = shown.picture().twiceTheSize();
    ASSERT_EQ(twice.size(), QSize(160, 260));
    const QImage one = shown.picture().image().convertToFormat(QImage::Format_RGB32);

    EXPECT_EQ(renderedAt(shown, 1), one) << "today's pixels at 96 dpi";
    EXPECT_FALSE(twice.isDecoded()) << "the large picture is never decoded at 96 dpi";

    const QImage atTwo = renderedAt(shown, 2);
    EXPECT_TRUE(twice.isDecoded());
    EXPECT_EQ(atTwo, twice.image().convertToFormat(QImage::Format_RGB32)) << "pixel for pixel at 200 %";
    EXPECT_NE(atTwo, one.scaled(one.size() * 2)) << "not the small picture with its pixels doubled";

    const QImage atOneAndAHalf = renderedAt(shown, 1.5);
    ASSERT_EQ(atOneAndAHalf.size(), QSize(120, 195));
    EXPECT_LT(repeatedColumns(atOneAndAHalf), 6) << "no column drawn twice at 150 %";
    EXPECT_GE(repeatedColumns(one.scaled(atOneAndAHalf.size())), 40) << "as stretching the small picture would";
}

TEST_F(Pictures, ADamagedPictureIsReportedOnceAndDrawsAsEmpty) {
    const QByteArray whole = JpegPicture::fromResource(":/cards/back.jpg").stream();
    showDecodeFailuresOf(&parent);  // as the windows do
    showParent();
    const QImage before = shown.grab().toImage();

    testing::ModalCounter modals;
    QSignalSpy reported(&shown, &PictureBox::decodeFailed);
    shown.setAutoSize(false);
    shown.setPicture(JpegPicture::fromStream(whole.left(whole.size() / 2)));
    for (int i = 0; i < 5; ++i) {
        shown.repaint();
        QTest::qWait(20);
    }
    ASSERT_EQ(reported.count(), 1);
    EXPECT_TRUE(reported[0][0].toString().startsWith("The picture could not be decoded: "));
    EXPECT_EQ(modals.count(), 1) << "the window shows it in the error box";
    EXPECT_EQ(shown.grab().toImage(), before);
}

TEST_F(Pictures, CentredPicturesAreCutEvenlyWithTheOddColumnOnTheRight) {
    shown.setAutoSize(false);
    shown.setCenter(true);
    shown.resize(25, 70);
    shown.setPictureResource(":/cards/back.jpg");
    EXPECT_EQ(shown.pictureOffset(), QPoint(-7, -5));
    shown.setCenter(false);
    EXPECT_EQ(shown.pictureOffset(), QPoint(0, 0));
}

TEST_F(Pictures, TheHintShowsAfterItsPauseAndHidesAfterItsTimeNeverEarly) {
    shown.setPictureResource(":/cards/back.jpg");
    shown.setToolTip("Visit");
    showParent();
    // The toolkit's first hint of a run sets up its style and font; that is not the pause.
    QToolTip::showText(QPoint(0, 0), "warming up", &parent);
    QToolTip::hideText();
    ASSERT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
    QTest::mouseMove(&shown);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), shown.mapToGlobal(QPointF(5, 5)));
    QElapsedTimer hovering;
    hovering.start();
    QApplication::sendEvent(&shown, &enter);
    if (!shown.underMouse()) GTEST_SKIP() << "this platform does not track the pointer";

    // Each pause may run late by a loaded machine's scheduling (more so under a sanitizer),
    // never short. A change is seen only when the event processing it happened in returns, so
    // each is known to lie between the times before and after that: a pause is short only if
    // even its longest reading is, and late only if even its shortest reading is.
    constexpr double kLateness = testing::kSanitized ? 1000 : 60;
    const auto ms = [&hovering] { return static_cast<double>(hovering.nsecsElapsed()) / 1e6; };
    struct Seen {
        double from = -1, to = -1;  // it happened after `from` and by `to`
    } shown, hidden;
    while (hidden.to < 0 && ms() < PictureBox::kHintPauseMs + PictureBox::kHintHidePauseMs + 1000) {
        const double from = ms();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        const double to = ms();
        if (shown.to < 0 && QToolTip::isVisible()) shown = {from, to};
        if (shown.to >= 0 && hidden.to < 0 && !QToolTip::isVisible()) hidden = {from, to};
    }
    ASSERT_GE(shown.to, 0) << "the hint never showed";
    EXPECT_EQ(QToolTip::text(), "Visit");
    EXPECT_GE(shown.to, PictureBox::kHintPauseMs);
    EXPECT_LE(shown.from, PictureBox::kHintPauseMs + kLateness);
    ASSERT_GE(hidden.to, 0) << "the hint never hid";
    EXPECT_GE(hidden.to - shown.from, PictureBox::kHintHidePauseMs);
    EXPECT_LE(hidden.from - shown.to, PictureBox::kHintHidePauseMs + kLateness);
}

}  // namespace
}  // namespace miravane
