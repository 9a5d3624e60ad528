#include <gtest/gtest.h>

#include <QResource>

#include "JpegPicture.h"

namespace miravane {
namespace {

TEST(JpegPicture, EmbeddedPicturesWrapTheResourceBytesWithoutACopy) {
    const JpegPicture face = JpegPicture::fromResource(":/cards/face-04.jpg");
    const QResource resource(":/cards/face-04.jpg");
    EXPECT_EQ(static_cast<const void*>(face.stream().constData()), static_cast<const void*>(resource.data()));
    EXPECT_EQ(face.stream().size(), resource.size());
    EXPECT_EQ(face.size(), QSize(80, 130));
}

TEST(JpegPicture, CopiesShareTheStreamAndTheDecodedImage) {
    const JpegPicture source = JpegPicture::fromResource(":/cards/face-07.jpg");
    const JpegPicture copy = source;
    EXPECT_TRUE(copy.sharesDataWith(source));
    EXPECT_EQ(copy.stream().constData(), source.stream().constData());
    EXPECT_TRUE(JpegPicture::fromResource(":/cards/face-07.jpg").sharesDataWith(source))
        << "the same embedded picture, while one is alive, is decoded once";
    EXPECT_FALSE(JpegPicture::fromResource(":/cards/face-08.jpg").sharesDataWith(source));
    EXPECT_TRUE(copy.twiceTheSize().sharesDataWith(source.twiceTheSize())) << "and the picture at twice the size";

    EXPECT_FALSE(source.isDecoded()) << "nothing has asked for the pixels yet";
    const QImage& pixels = copy.image();
    EXPECT_TRUE(source.isDecoded());
    EXPECT_EQ(source.image().constBits(), pixels.constBits()) << "decoded once, shared by both";
}

TEST(JpegPicture, AnEmbeddedPictureNoLongerHeldStartsAfresh) {
    {
        const JpegPicture first = JpegPicture::fromResource(":/cards/face-09.jpg");
        first.image();
        ASSERT_TRUE(first.isDecoded());
    }
    EXPECT_FALSE(JpegPicture::fromResource(":/cards/face-09.jpg").isDecoded()) << "nothing kept once unused";
}

TEST(JpegPicture, ReadingTheSizeDoesNotDecode) {
    const JpegPicture back = JpegPicture::fromStream(JpegPicture::fromResource(":/cards/back.jpg").stream());
    EXPECT_EQ(back.size(), QSize(40, 80));
    EXPECT_FALSE(back.isDecoded());
}

TEST(JpegPicture, DecodedForSomeColumnsItDecodesAgainOnlyWhenMoreAreAskedFor) {
    const JpegPicture banner = JpegPicture::fromStream(JpegPicture::fromResource(":/banner.jpg").stream());
    const QImage whole = decodeJpeg(banner.stream()).image;
    const uchar* part = banner.image(DecodeDepth::TrueColour, {62, 687}).constBits();
    EXPECT_NE(banner.image(DecodeDepth::TrueColour, {62, 687}), whole);
    EXPECT_EQ(banner.image(DecodeDepth::TrueColour, {100, 600}).constBits(), part) << "those are decoded already";
    EXPECT_EQ(banner.image(), whole);
}

TEST(JpegPicture, ADamagedStreamFailsOnceAndIsReportedOnce) {
    const QByteArray whole = JpegPicture::fromResource(":/cards/face-01.jpg").stream();
    const JpegPicture damaged = JpegPicture::fromStream(whole.left(whole.size() / 3));
    const JpegPicture copy = damaged;
    EXPECT_TRUE(damaged.image().isNull());
    EXPECT_TRUE(damaged.hasFailed());
    EXPECT_TRUE(copy.image().isNull());
    EXPECT_FALSE(copy.takeFailureToReport().isEmpty());
    EXPECT_TRUE(damaged.takeFailureToReport().isEmpty()) << "a picture shared by many controls is reported once";
    EXPECT_TRUE(copy.takeFailureToReport().isEmpty());
}

TEST(JpegPicture, EmptyPictureHasNothingToDraw) {
    const JpegPicture empty;
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_TRUE(empty.image().isNull());
    EXPECT_FALSE(empty.hasFailed());
    EXPECT_FALSE(empty.size().isValid());
    EXPECT_THROW(JpegPicture::fromResource(":/no/such/picture.jpg"), std::runtime_error);
}

}  // namespace
}  // namespace miravane
