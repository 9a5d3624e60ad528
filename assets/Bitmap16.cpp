#include "Bitmap16.h"

#include <cstdlib>
#include <optional>
#include <stdexcept>

#include <QtEndian>

#include "EmbeddedPictures.h"

namespace miravane {
namespace {

constexpr qsizetype kFileHeaderSize = 14;
constexpr quint32 kInfoHeaderSize = 40;

struct Layout {
    int width;
    int height;
    bool topDown;
    qsizetype pixels;  // offset of the pixel rows
    qsizetype stride;
    QList<QRgb> palette;
};

template <typename T>
T readLittle(const QByteArray& file, qsizetype at) {
    return qFromLittleEndian<T>(file.constData() + at);
}

std::optional<Layout> readLayout(const QByteArray& file) {
    if (file.size() < kFileHeaderSize + kInfoHeaderSize || !file.startsWith("BM")) return std::nullopt;
    const auto infoSize = readLittle<quint32>(file, 14);
    const auto width = readLittle<qint32>(file, 18);
    const auto height = readLittle<qint32>(file, 22);
    const bool plain = readLittle<quint16>(file, 26) == 1 && readLittle<quint16>(file, 28) == 4 &&
                       readLittle<quint32>(file, 30) == 0;
    if (!plain || infoSize < kInfoHeaderSize || infoSize > 1024) return std::nullopt;
    if (width < 1 || width > kMaxBitmapSide || height == 0 || std::abs(height) > kMaxBitmapSide) return std::nullopt;

    auto colours = readLittle<quint32>(file, 46);
    if (colours == 0) colours = 16;
    const qsizetype paletteAt = kFileHeaderSize + infoSize;
    if (colours > 16 || paletteAt + 4 * qsizetype(colours) > file.size()) return std::nullopt;

    Layout layout{width, std::abs(height), height < 0, readLittle<quint32>(file, 10), (width * 4 + 31) / 32 * 4, {}};
    if (layout.pixels < paletteAt || layout.pixels + layout.stride * layout.height > file.size()) return std::nullopt;
    for (quint32 i = 0; i < colours; ++i) {
        const auto* bgr = reinterpret_cast<const uchar*>(file.constData() + paletteAt + 4 * i);
        layout.palette.append(qRgb(bgr[2], bgr[1], bgr[0]));
    }
    return layout;
}

}  // namespace

QImage decodeBitmap16(const QByteArray& file) {
    const std::optional<Layout> layout = readLayout(file);
    if (!layout) return {};
    QImage image(layout->width, layout->height, QImage::Format_ARGB32);
    for (int y = 0; y < layout->height; ++y) {
        const int fileRow = layout->topDown ? y : layout->height - 1 - y;
        const auto* row = reinterpret_cast<const uchar*>(file.constData() + layout->pixels + fileRow * layout->stride);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < layout->width; ++x) {
            const int index = x % 2 ? row[x / 2] & 0x0F : row[x / 2] >> 4;
            if (index >= layout->palette.size()) return {};
            out[x] = layout->palette[index];
        }
    }
    return image;
}

QImage withTransparentColour(const QImage& image, QRgb key) {
    QImage keyed = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < keyed.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x)
            if ((row[x] | 0xFF000000u) == (key | 0xFF000000u)) row[x] = qRgba(0, 0, 0, 0);
    }
    return keyed;
}

QImage loadBitmap16(const QString& path) {
    const QImage image = decodeBitmap16(embeddedBytes(path));
    if (image.isNull()) throw std::runtime_error("The built-in picture " + path.toStdString() + " is damaged");
    return image;
}

QImage withBottomLeftTransparent(const QImage& image) {
    if (image.isNull()) return image;
    return withTransparentColour(image, image.pixel(0, image.height() - 1));
}

}  // namespace miravane
