#include "BitBtn.h"

#include <stdexcept>

#include <QBitmap>
#include <QDialog>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include "EmbeddedPictures.h"

namespace miravane {
namespace {

QPixmap glyphAt(const QImage& strip, int index, int glyphWidth, QRgb transparent) {
    const QImage glyph = strip.copy(index * glyphWidth, 0, glyphWidth, strip.height());
    QPixmap pixmap = QPixmap::fromImage(glyph);
    pixmap.setMask(QBitmap::fromImage(glyph.createMaskFromColor(transparent, Qt::MaskInColor)));
    return pixmap;
}

}  // namespace

BitBtn::BitBtn(QWidget* parent) : QPushButton(parent) {
    connect(this, &QPushButton::clicked, this, &BitBtn::closeDialog);
}

void BitBtn::setGlyphResource(const QString& path) {
    glyphResource_ = path;
    loadGlyph();
}

void BitBtn::setNumGlyphs(int count) {
    numGlyphs_ = count;
    loadGlyph();
}

void BitBtn::loadGlyph() {
    if (glyphResource_.isEmpty() || numGlyphs_ < 1) return;
    registerEmbeddedPictures();
    const QImage strip = QImage(glyphResource_).convertToFormat(QImage::Format_ARGB32);
    if (strip.isNull()) throw std::runtime_error("The built-in glyph " + glyphResource_.toStdString() + " is missing");
    const int glyphWidth = strip.width() / numGlyphs_;
    const QRgb transparent = strip.pixel(0, strip.height() - 1);

    QIcon icon;
    icon.addPixmap(glyphAt(strip, 0, glyphWidth, transparent), QIcon::Normal);
    if (numGlyphs_ > 1) icon.addPixmap(glyphAt(strip, 1, glyphWidth, transparent), QIcon::Disabled);
    setIcon(icon);
    setIconSize(QSize(glyphWidth, strip.height()));
}

void BitBtn::closeDialog() {
    if (modalResult_ == 0) return;
    if (auto* dialog = qobject_cast<QDialog*>(window())) dialog->done(modalResult_);
}

}  // namespace miravane
