#include <gtest/gtest.h>

#include <cstdlib>

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

// The mean difference of two images of one size, per colour channel, 0 to 255.
double meanDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
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
    const QImage large = twice.image().convertToFormat(QImage::Format_RGB32);
    const double fromSmooth = meanDifference(atOneAndAHalf, large.scaled(atOneAndAHalf.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    const double fromDropped = meanDifference(atOneAndAHalf, large.scaled(atOneAndAHalf.size()));
    EXPECT_LT(fromSmooth, 1.5) << "resampled smoothly from the large picture at 150 %";
    EXPECT_GT(fromDropped, 3 * fromSmooth) << "not by dropping every fourth column and row";
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

// When the hint's window is shown and hidden, seen as it happens; and, started at the same moment
// as each of the control's own timers, a reference timer of the designed pause.
class HintWatch : public QObject {
public:
    explicit HintWatch(const QElapsedTimer& clock) : clock_(clock) {
        for (QTimer* reference : {&pause, &hidePause}) {
            reference->setSingleShot(true);
            reference->setTimerType(Qt::PreciseTimer);
        }
        pause.setInterval(PictureBox::kHintPauseMs);
        hidePause.setInterval(PictureBox::kHintHidePauseMs);
        connect(&pause, &QTimer::timeout, this, [this] { pauseOver = now(); });
        connect(&hidePause, &QTimer::timeout, this, [this] { hidePauseOver = now(); });
    }

    double now() const { return static_cast<double>(clock_.nsecsElapsed()) / 1e6; }

    QTimer pause, hidePause;
    double shownAt = -1, hiddenAt = -1, pauseOver = -1, hidePauseOver = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->inherits("QTipLabel")) return false;
        if (event->type() == QEvent::Show && shownAt < 0) {
            shownAt = now();
            hidePause.start();  // the control starts its own as the hint shows
        } else if (event->type() == QEvent::Hide && shownAt >= 0 && hiddenAt < 0) {
            hiddenAt = now();
        }
        return false;
    }

private:
    const QElapsedTimer& clock_;
};

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
    QElapsedTimer clock;
    HintWatch watch(clock);
    qApp->installEventFilter(&watch);
    clock.start();
    QApplication::sendEvent(&shown, &enter);
    watch.pause.start();
    if (!shown.underMouse()) GTEST_SKIP() << "this platform does not track the pointer";
    (void)QTest::qWaitFor([&] { return watch.hiddenAt >= 0; }, PictureBox::kHintPauseMs + PictureBox::kHintHidePauseMs + 5000);
    qApp->removeEventFilter(&watch);

    // Never early, by the clock. A busy machine (or a sanitizer's pace) makes every timer late
    // alike, so lateness is judged against the reference timers: each change comes in the same
    // turn of the event loop as the reference started with it, or near it.
    constexpr double kSameTurnMs = testing::kSanitized ? 300 : 100;
    ASSERT_GE(watch.shownAt, 0) << "the hint never showed";
    EXPECT_EQ(QToolTip::text(), "Visit");
    EXPECT_GE(watch.shownAt, PictureBox::kHintPauseMs);
    EXPECT_NEAR(watch.shownAt, watch.pauseOver, kSameTurnMs) << "shown late, or early by less than a turn";
    ASSERT_GE(watch.hiddenAt, 0) << "the hint never hid";
    EXPECT_GE(watch.hiddenAt - watch.shownAt, PictureBox::kHintHidePauseMs);
    EXPECT_NEAR(watch.hiddenAt, watch.hidePauseOver, kSameTurnMs) << "hidden late";
}

}  // namespace
}  // namespace miravane
