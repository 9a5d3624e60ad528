#include <QFrame>
#include <QImage>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionFrame>
#include <gtest/gtest.h>

#include <memory>

#include "FrameStyle.h"

namespace miravane {
namespace {

// Every colour a frame may take is a different one, so a swapped edge shows.
QPalette distinctPalette() {
    QPalette palette;
    palette.setColor(QPalette::Light, QColor(0xff, 0xf0, 0x10));
    palette.setColor(QPalette::Midlight, QColor(0xc0, 0xff, 0x20));
    palette.setColor(QPalette::Dark, QColor(0x30, 0x10, 0xa0));
    palette.setColor(QPalette::Shadow, QColor(0x05, 0x60, 0x40));
    palette.setColor(QPalette::WindowText, QColor(0xe0, 0x20, 0x90));
    return palette;
}

QImage blank(QSize size, qreal ratio) {
    QImage image((QSizeF(size) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    return image;
}

// The frames are painted exactly as the toolkit's common style draws them, at each scale a
// desktop may have; at 1 and 2 every frame the designs use takes the filled-rectangle path.
TEST(FrameStyle, PaintsTheFramesTheToolkitDrawsPixelForPixel) {
    const std::unique_ptr<QStyle> reference(QStyleFactory::create(QStringLiteral("Fusion")));
    ASSERT_TRUE(reference);
    int painted = 0;
    for (qreal ratio : {1.0, 1.25, 1.5, 2.0}) {
        for (int shape : {QFrame::Box, QFrame::Panel, QFrame::WinPanel, QFrame::StyledPanel, QFrame::HLine}) {
            for (QStyle::StateFlag shadow : {QStyle::State_None, QStyle::State_Raised, QStyle::State_Sunken}) {
                for (int lineWidth : {1, 2}) {
                    for (QSize size : {QSize(3, 3), QSize(6, 5), QSize(41, 20), QSize(627, 91)}) {
                        QStyleOptionFrame frame;
                        frame.rect = QRect(QPoint(1, 2), size);
                        frame.palette = distinctPalette();
                        frame.state = QStyle::State_Enabled | shadow;
                        frame.frameShape = static_cast<QFrame::Shape>(shape);
                        frame.lineWidth = lineWidth;
                        const QSize area = size + QSize(3, 4);
                        QImage expected = blank(area, ratio);
                        QImage actual = expected;
                        {
                            QPainter painter(&expected);
                            reference->drawControl(QStyle::CE_ShapedFrame, &frame, &painter, nullptr);
                        }
                        QPainter painter(&actual);
                        const bool ours = paintDesignFrame(painter, frame, frame.palette.color(QPalette::WindowText));
                        painter.end();
                        if (!ours) continue;
                        ++painted;
                        EXPECT_EQ(actual, expected) << "shape " << shape << ", state " << shadow << ", line width "
                                                    << lineWidth << ", " << size.width() << "x" << size.height()
                                                    << " at " << ratio;
                    }
                }
            }
        }
    }
    EXPECT_GT(painted, 40);
}

}  // namespace
}  // namespace miravane
