#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <utility>

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QResource>
#include <QTemporaryDir>

#include "EmbeddedPictures.h"
#include "JpegDecoder.h"

namespace miravane {
namespace {

QByteArray embedded(const QString& path) {
    registerEmbeddedPictures();
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

QString facePath(int card) { return QStringLiteral(":/cards/face-%1.jpg").arg(card, 2, 10, QLatin1Char('0')); }

// What Debian's djpeg makes of a stream, read back through a format Qt decodes itself.
QImage decodedByDjpeg(const QByteArray& stream, const QStringList& options) {
    QTemporaryDir dir;
    const QString in = dir.filePath("in.jpg"), out = dir.filePath("out.bmp");
    QFile file(in);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(stream);
    file.close();
    const int status = QProcess::execute(QStringLiteral(DJPEG_PATH), options + QStringList{"-bmp", "-outfile", out, in});
    EXPECT_EQ(status, 0);
    return QImage(out);
}

bool samePixels(const QImage& a, const QImage& b) {
    return a.size() == b.size() && a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

TEST(EmbeddedPictures, EachDecodesToItsSize) {
    const struct {
        QString path;
        QSize size;
    } expected[] = {{":/banner.jpg", {750, 88}}, {":/cards/back.jpg", {40, 80}}, {":/cards/back-selected.jpg", {40, 80}}};
    for (const auto& [path, size] : expected) {
        const DecodedJpeg decoded = decodeJpeg(embedded(path));
        EXPECT_TRUE(decoded.error.isEmpty()) << decoded.error.toStdString();
        EXPECT_EQ(decoded.image.size(), size) << path.toStdString();
        EXPECT_EQ(readJpegSize(embedded(path)), size);
    }
    for (int card = 0; card < 22; ++card) EXPECT_EQ(decodeJpeg(embedded(facePath(card))).image.size(), QSize(80, 130));
}

TEST(EmbeddedPictures, TheFacesAreTwentyTwoDistinctPicturesAndTheBacksDiffer) {
    std::vector<QImage> faces;
    for (int card = 0; card < 22; ++card) faces.push_back(decodeJpeg(embedded(facePath(card))).image);
    for (int a = 0; a < 22; ++a)
        for (int b = a + 1; b < 22; ++b) EXPECT_NE(faces[a], faces[b]) << "faces " << a << " and " << b;
    EXPECT_NE(decodeJpeg(embedded(":/cards/back.jpg")).image, decodeJpeg(embedded(":/cards/back-selected.jpg")).image);
}

TEST(EmbeddedPictures, AreBaselineThreeComponentJfif) {
    QStringList paths = {":/banner.jpg", ":/cards/back.jpg", ":/cards/back-selected.jpg"};
    for (int card = 0; card < 22; ++card) paths << facePath(card);
    for (const QString& path : paths) {
        const QByteArray s = embedded(path);
        SCOPED_TRACE(path.toStdString());
        EXPECT_TRUE(s.startsWith("\xFF\xD8\xFF\xE0")) << "starts with a JFIF APP0 segment";
        EXPECT_EQ(s.mid(6, 5), QByteArray("JFIF\0", 5));
        const qsizetype sof = s.indexOf("\xFF\xC0");  // baseline sequential frame
        ASSERT_GE(sof, 0);
        EXPECT_EQ(s.indexOf("\xFF\xC2"), -1) << "not progressive";
        EXPECT_EQ(static_cast<unsigned char>(s[sof + 9]), 3) << "three components";
    }
}

TEST(JpegDecoder, MatchesDjpegWithTheFloatingPointDctPixelForPixel) {
    for (const QString& path : {facePath(0), facePath(13), QStringLiteral(":/banner.jpg"), QStringLiteral(":/cards/back.jpg")}) {
        const QByteArray stream = embedded(path);
        EXPECT_TRUE(samePixels(decodeJpeg(stream).image, decodedByDjpeg(stream, {"-dct", "float"})))
            << path.toStdString();
    }
    // The default integer DCT differs somewhere: the comparison above can tell them apart.
    const QByteArray face = embedded(facePath(0));
    EXPECT_FALSE(samePixels(decodeJpeg(face).image, decodedByDjpeg(face, {"-dct", "int"})));
}

// What a control shows of a wider picture: those columns come out as a whole decode has them,
// also where colour is sampled at half the width; the blocks far outside are left black.
TEST(JpegDecoder, DecodesOnlyTheColumnsAskedForWithTheirPixelsUnchanged) {
    QFile subsampled(QStringLiteral(SUBSAMPLED_JPEG));
    ASSERT_TRUE(subsampled.open(QIODevice::ReadOnly));
    const std::pair<QByteArray, JpegColumns> cases[] = {
        {embedded(":/banner.jpg"), {62, 687}},
        {embedded(":/banner@2x.jpg"), {124, 1374}},
        {subsampled.readAll(), {40, 60}}};
    for (const auto& [stream, columns] : cases) {
        const QImage whole = decodeJpeg(stream).image;
        const QImage part = decodeJpeg(stream, DecodeDepth::TrueColour, columns).image;
        ASSERT_EQ(part.size(), whole.size());
        for (int y = 0; y < whole.height(); ++y)
            for (int x = columns.begin; x < columns.end; ++x)
                ASSERT_EQ(part.pixel(x, y), whole.pixel(x, y)) << x << "," << y;
        EXPECT_EQ(part.pixel(0, 0), qRgb(0, 0, 0));
    }
}

TEST(JpegDecoder, OnEightBitDisplaysQuantisesTo236Colours) {
    EXPECT_EQ(decodeDepthForDisplay(8), DecodeDepth::Palette236);
    EXPECT_EQ(decodeDepthForDisplay(4), DecodeDepth::Palette236);
    EXPECT_EQ(decodeDepthForDisplay(16), DecodeDepth::TrueColour);
    EXPECT_EQ(decodeDepthForDisplay(24), DecodeDepth::TrueColour);

    const QByteArray stream = embedded(facePath(5));
    const QImage image = decodeJpeg(stream, DecodeDepth::Palette236).image;
    EXPECT_EQ(image.format(), QImage::Format_Indexed8);
    EXPECT_LE(image.colorCount(), 236);
    EXPECT_GT(image.colorCount(), 16);
    EXPECT_TRUE(samePixels(image, decodedByDjpeg(stream, {"-dct", "float", "-colors", "236"})));
}

TEST(JpegDecoder, DamagedStreamsFailCleanly) {
    const QByteArray good = embedded(facePath(3));
    std::mt19937 random(20261208);
    std::vector<QByteArray> damaged = {QByteArray(), QByteArray("\xFF\xD8"), good.left(2), good.left(good.size() / 2),
                                       good.left(good.size() - 2)};
    for (int n = 0; n < 200; ++n) {
        QByteArray noise(1 + random() % 4000, '\0');
        for (char& c : noise) c = static_cast<char>(random());
        if (n % 2) noise.prepend("\xFF\xD8\xFF\xE0");
        damaged.push_back(noise);
    }
    for (const QByteArray& stream : damaged) {
        const DecodedJpeg decoded = decodeJpeg(stream);
        EXPECT_TRUE(decoded.image.isNull());
        EXPECT_FALSE(decoded.error.isEmpty());
    }
}

TEST(JpegDecoder, FlippedBytesEitherFailWithAReasonOrKeepThePictureSize) {
    const QByteArray good = embedded(facePath(3));
    std::mt19937 random(8);
    int failures = 0;
    for (int n = 0; n < 300; ++n) {
        QByteArray flipped = good;
        for (int i = 0; i < 8; ++i) flipped[random() % flipped.size()] = static_cast<char>(random());
        const DecodedJpeg decoded = decodeJpeg(flipped);
        if (decoded.image.isNull()) {
            EXPECT_FALSE(decoded.error.isEmpty());
            ++failures;
        } else {
            EXPECT_TRUE(decoded.error.isEmpty());
        }
    }
    EXPECT_GT(failures, 0);
}

TEST(JpegDecoder, RefusesPicturesTooLargeToAllocate) {
    QByteArray stream = embedded(facePath(0));
    const qsizetype sof = stream.indexOf("\xFF\xC0");
    ASSERT_GE(sof, 0);
    // Height and width in the frame header: 60000 x 60000.
    stream[sof + 5] = static_cast<char>(0xEA);
    stream[sof + 6] = 0x60;
    stream[sof + 7] = static_cast<char>(0xEA);
    stream[sof + 8] = 0x60;
    const DecodedJpeg decoded = decodeJpeg(stream);
    EXPECT_TRUE(decoded.image.isNull());
    EXPECT_TRUE(decoded.error.contains("too large"));
}

}  // namespace
}  // namespace miravane
