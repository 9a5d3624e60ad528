#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include "Bitmap16.h"
#include "EmbeddedPictures.h"

namespace miravane {
namespace {

QByteArray embedded(const QString& path) {
    registerEmbeddedPictures();
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

TEST(Bitmap16, ReadsTheGlyphExactlyAsQtsOwnReaderDoes) {
    const QImage ours = decodeBitmap16(embedded(":/glyph-again.bmp"));
    const QImage qts(":/glyph-again.bmp");  // the reference, with Qt's plugins, in the test only
    ASSERT_EQ(ours.size(), QSize(32, 16));
    EXPECT_EQ(ours, qts.convertToFormat(QImage::Format_ARGB32));
    EXPECT_EQ(ours.pixel(0, 15), qRgb(128, 0, 128));
    EXPECT_EQ(ours.pixel(9, 8), qRgb(255, 0, 0)) << "a stroke of the red tick";
}

TEST(Bitmap16, TheBuiltInIconMatchesTheInstalledOneWithItsTransparency) {
    const QImage icon = withBottomLeftTransparent(loadBitmap16(":/icon.bmp"));
    const QImage installed = QImage(QStringLiteral(ICON_PNG)).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(icon.size(), QSize(32, 32));
    ASSERT_EQ(installed.size(), QSize(32, 32));
    int transparent = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const QRgb a = icon.pixel(x, y), b = installed.pixel(x, y);
            ASSERT_EQ(qAlpha(a) == 0, qAlpha(b) == 0) << x << "," << y;
            if (qAlpha(a)) {
                ASSERT_EQ(a, b) << x << "," << y;
            }
            transparent += qAlpha(a) == 0;
        }
    EXPECT_GT(transparent, 0);
    EXPECT_LT(transparent, 32 * 32 / 2);
}

TEST(Bitmap16, DamagedOrForeignFilesGiveNoImage) {
    const QByteArray good = embedded(":/glyph-again.bmp");
    std::vector<QByteArray> bad = {QByteArray(), QByteArray("BM"), good.left(54), good.left(good.size() - 1)};
    auto patched = [&](int at, QByteArray bytes) {
        QByteArray copy = good;
        copy.replace(at, bytes.size(), bytes);
        return copy;
    };
    bad.push_back(patched(0, "XX"));                                  // not a bitmap
    bad.push_back(patched(28, QByteArray("\x08\x00", 2)));            // 8 bits per pixel
    bad.push_back(patched(30, QByteArray("\x02\x00\x00\x00", 4)));    // run-length compressed
    bad.push_back(patched(18, QByteArray("\x00\x00\x01\x00", 4)));    // 65536 wide
    bad.push_back(patched(22, QByteArray("\x00\x00\x00\x00", 4)));    // no rows
    bad.push_back(patched(10, QByteArray("\xFF\xFF\x00\x00", 4)));    // pixels past the end
    bad.push_back(patched(46, QByteArray("\x02\x00\x00\x00", 4)));    // two colours, indices up to 15
    bad.push_back(patched(14, QByteArray("\xFF\xFF\xFF\x7F", 4)));    // an absurd header size
    for (const QByteArray& file : bad) EXPECT_TRUE(decodeBitmap16(file).isNull());
    for (qsizetype n = 0; n < good.size(); n += 7) EXPECT_TRUE(decodeBitmap16(good.left(n)).isNull()) << n;
    EXPECT_THROW(loadBitmap16(":/no/such.bmp"), std::runtime_error);
}

TEST(Bitmap16, TopDownRowsAreRead) {
    QByteArray flipped = embedded(":/glyph-again.bmp");
    const QImage bottomUp = decodeBitmap16(flipped);
    // Height -16: the same rows now read top first.
    flipped.replace(22, 4, QByteArray("\xF0\xFF\xFF\xFF", 4));
    EXPECT_EQ(decodeBitmap16(flipped), bottomUp.mirrored(false, true));
}

TEST(Bitmap16, OnlyTheKeyColourBecomesTransparent) {
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgb(128, 0, 128));
    image.setPixel(1, 0, qRgb(128, 0, 129));
    const QImage keyed = withTransparentColour(image, qRgb(128, 0, 128));
    EXPECT_EQ(qAlpha(keyed.pixel(0, 0)), 0);
    EXPECT_EQ(keyed.pixel(1, 0), qRgb(128, 0, 129));
}

}  // namespace
}  // namespace miravane
