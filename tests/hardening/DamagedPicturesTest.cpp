// Every stream under regressions/ must come back from the decoder cleanly: a picture whose size
// agrees with its header, or an error and no picture, and never a crash. The folder holds
// hand-made damaged streams and whatever fuzzing has ever found (scripts/fuzz). A name starting
// with "decodes-" must decode and one starting with "fails-" must fail; any other name may do
// either, as long as it does so consistently.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>

#include "JpegDecoder.h"

namespace miravane {
namespace {

struct Stream {
    QString name;
    QByteArray bytes;
};

std::vector<Stream> regressionStreams() {
    std::vector<Stream> streams;
    const QDir dir(QStringLiteral(MIRAVANE_REGRESSIONS_DIR));
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files, QDir::Name)) {
        QFile file(info.filePath());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << info.filePath().toStdString();
        streams.push_back({info.fileName(), file.readAll()});
    }
    return streams;
}

DecodedJpeg decodeChecked(const QByteArray& bytes, DecodeDepth depth, QSize headerSize) {
    DecodedJpeg decoded = decodeJpeg(bytes, depth);
    if (decoded.image.isNull()) {
        EXPECT_FALSE(decoded.error.isEmpty()) << "a failure says why";
        return decoded;
    }
    EXPECT_TRUE(decoded.error.isEmpty()) << decoded.error.toStdString();
    EXPECT_EQ(decoded.image.size(), headerSize) << "the decoded size is the header's";
    EXPECT_LE(decoded.image.width(), kMaxJpegSide);
    EXPECT_LE(decoded.image.height(), kMaxJpegSide);
    if (depth == DecodeDepth::Palette236) {
        EXPECT_EQ(decoded.image.format(), QImage::Format_Indexed8);
        const int colours = decoded.image.colorCount();
        EXPECT_GE(colours, 1);
        EXPECT_LE(colours, 236);
        int pastThePalette = 0;
        for (int y = 0; y < decoded.image.height(); ++y) {
            const uchar* row = decoded.image.constScanLine(y);
            for (int x = 0; x < decoded.image.width(); ++x) pastThePalette += row[x] >= colours;
        }
        EXPECT_EQ(pastThePalette, 0) << "pixels pointing past the palette";
    } else if (decoded.image.format() == QImage::Format_RGB32) {
        // Qt paints RGB32 as 0xffRRGGBB words: any other top byte would show as a wrong colour.
        int notOpaque = 0;
        for (int y = 0; y < decoded.image.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(decoded.image.constScanLine(y));
            for (int x = 0; x < decoded.image.width(); ++x) notOpaque += qAlpha(row[x]) != 0xff;
        }
        EXPECT_EQ(notOpaque, 0) << "RGB32 pixels whose top byte is not 0xff";
    } else {
        EXPECT_EQ(decoded.image.format(), QImage::Format_RGB888) << "true colour is RGB32 or RGB888";
    }
    return decoded;
}

TEST(DamagedPictures, EveryStoredStreamDecodesConsistentlyOrFailsCleanly) {
    const std::vector<Stream> streams = regressionStreams();
    ASSERT_GE(streams.size(), 10u) << "the regression streams are missing from " MIRAVANE_REGRESSIONS_DIR;
    for (const auto& [name, bytes] : streams) {
        SCOPED_TRACE(name.toStdString());
        const QSize headerSize = readJpegSize(bytes);
        const DecodedJpeg trueColour = decodeChecked(bytes, DecodeDepth::TrueColour, headerSize);
        const DecodedJpeg palette = decodeChecked(bytes, DecodeDepth::Palette236, headerSize);
        EXPECT_EQ(trueColour.image.isNull(), palette.image.isNull())
            << "both depths agree on whether the stream is good: " << trueColour.error.toStdString() << " / "
            << palette.error.toStdString();
        if (name.startsWith("decodes-")) {
            EXPECT_FALSE(trueColour.image.isNull()) << trueColour.error.toStdString();
        }
        if (name.startsWith("fails-")) {
            EXPECT_TRUE(trueColour.image.isNull());
        }
    }
}

QByteArray stored(const char* name) {
    QFile file(QStringLiteral(MIRAVANE_REGRESSIONS_DIR "/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

TEST(DamagedPictures, AHugeDeclaredSizeIsRefusedBeforeAnythingIsAllocated) {
    // libjpeg itself accepts sides up to 65500; everything over our own limit must be refused by us.
    for (const char* name : {"fails-sof-65500x65500.jpg", "fails-progressive-65500x65500.jpg"}) {
        SCOPED_TRACE(name);
        const QByteArray bytes = stored(name);
        EXPECT_EQ(readJpegSize(bytes), QSize(65500, 65500)) << "the header itself reads fine";
        const DecodedJpeg decoded = decodeJpeg(bytes);
        EXPECT_TRUE(decoded.image.isNull());
        EXPECT_TRUE(decoded.error.contains("too large")) << decoded.error.toStdString();
    }
    EXPECT_TRUE(decodeJpeg(stored("fails-one-pixel-over-the-limit.jpg")).error.contains("too large"));
    // Past 65500 libjpeg refuses the header: no size, and a failure that says why.
    for (const char* name : {"fails-sof-65535x65535.jpg", "fails-progressive-65535x65535.jpg"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(readJpegSize(stored(name)).isValid());
        EXPECT_FALSE(decodeJpeg(stored(name)).error.isEmpty());
    }
}

TEST(DamagedPictures, AGreyscalePictureComesOutAsGreyRgb) {
    const DecodedJpeg decoded = decodeJpeg(stored("decodes-grayscale.jpg"));
    ASSERT_FALSE(decoded.image.isNull()) << decoded.error.toStdString();
    EXPECT_TRUE(decoded.image.format() == QImage::Format_RGB32 || decoded.image.format() == QImage::Format_RGB888)
        << "format " << decoded.image.format();
    EXPECT_EQ(decoded.image.size(), QSize(80, 130));
    int coloured = 0;
    for (int y = 0; y < decoded.image.height(); ++y)
        for (int x = 0; x < decoded.image.width(); ++x) {
            const QRgb p = decoded.image.pixel(x, y);
            coloured += qRed(p) != qGreen(p) || qGreen(p) != qBlue(p);
        }
    EXPECT_EQ(coloured, 0) << "pixels that are not grey";
}

TEST(DamagedPictures, AFourComponentPictureIsRefusedWithLibjpegsReason) {
    // libjpeg has no CMYK to RGB conversion; the picture must fail with its message, not garbage.
    const DecodedJpeg decoded = decodeJpeg(stored("cmyk-four-components.jpg"));
    EXPECT_TRUE(decoded.image.isNull());
    EXPECT_FALSE(decoded.error.isEmpty());
}

}  // namespace
}  // namespace miravane
