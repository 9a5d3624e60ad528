#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace miravane {

// Reads the 16-colour Windows bitmaps built into the program (the button glyph, the icon):
// 4 bits per pixel, uncompressed, with a BITMAPINFOHEADER. Read here rather than through Qt's
// image readers, which load every image-format plugin to find one. Anything else, or a damaged
// file, gives a null image.
QImage decodeBitmap16(const QByteArray& file);

// The embedded bitmap at a resource path such as ":/icon.bmp"; throws if it is missing or damaged.
QImage loadBitmap16(const QString& path);

// The image with every pixel of the key colour made transparent.
QImage withTransparentColour(const QImage& image, QRgb key);

// The same, keyed by the colour of the image's bottom-left pixel, as the glyphs and the icon are.
QImage withBottomLeftTransparent(const QImage& image);

inline constexpr int kMaxBitmapSide = 1024;

}  // namespace miravane
