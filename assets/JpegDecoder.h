#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace miravane {

// The colour depth a picture is decoded for. Displays of 8 bits per pixel or fewer get an
// 8-bit picture quantised to 236 colours (the other 20 stay free for the system palette).
enum class DecodeDepth { TrueColour, Palette236 };

DecodeDepth decodeDepthForDisplay(int bitsPerPixel);

struct DecodedJpeg {
    QImage image;   // null when the decode failed
    QString error;  // why it failed; empty on success
};

// Decodes a JPEG stream with libjpeg at full scale, with the floating-point inverse DCT,
// block smoothing and fancy upsampling. Never ends the process: an empty, truncated or
// corrupt stream (libjpeg warnings included) comes back as an error.
DecodedJpeg decodeJpeg(const QByteArray& stream, DecodeDepth depth = DecodeDepth::TrueColour);

// Reads only the stream's header: its size in pixels, or an invalid size if the header is bad.
QSize readJpegSize(const QByteArray& stream);

// Pictures larger than this are refused rather than allocated.
constexpr int kMaxJpegSide = 8192;

}  // namespace miravane
