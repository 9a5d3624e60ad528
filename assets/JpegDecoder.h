#pragma once

#include <algorithm>
#include <limits>

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

// The columns of a picture from `begin` up to, not including, `end`: those a control shows of
// a picture wider than itself. The default is every column.
struct JpegColumns {
    int begin = 0;
    int end = std::numeric_limits<int>::max();

    // The same columns, kept within a picture of the given width.
    JpegColumns within(int width) const { return {std::clamp(begin, 0, width), std::clamp(end, 0, width)}; }
    bool contains(const JpegColumns& other) const { return begin <= other.begin && other.end <= end; }
    bool operator==(const JpegColumns&) const = default;
};

// Decodes a JPEG stream with libjpeg at full scale, with the floating-point inverse DCT,
// block smoothing and fancy upsampling. Never ends the process: an empty, truncated or
// corrupt stream (libjpeg warnings included) comes back as an error.
// The image always has the picture's full size, but only the given columns are sure to be
// decoded (true-colour only; a quantised picture is decoded whole): the inverse DCT and colour
// conversion of blocks well outside them are skipped, with the pixels inside exactly those of
// a whole decode; every column not decoded is black. The whole stream is read either way, so a
// damaged one fails all the same.
DecodedJpeg decodeJpeg(const QByteArray& stream, DecodeDepth depth = DecodeDepth::TrueColour,
                       JpegColumns columns = {});

// Reads only the stream's header: its size in pixels, or an invalid size if the header is bad.
QSize readJpegSize(const QByteArray& stream);

// Pictures larger than this are refused rather than allocated.
constexpr int kMaxJpegSide = 8192;

}  // namespace miravane
