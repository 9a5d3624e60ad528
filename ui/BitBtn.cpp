#include "BitBtn.h"

#include <stdexcept>

#include <QBitmap>
#include <QDialog>
#include <QHash>
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

struct Glyph {
    QIcon icon;
    QSize size;
};

Glyph buildGlyph(const QString& path, int count) {
    registerEmbeddedPictures();
    const QImage strip = QImage(path).convertToFormat(QImage::Format_ARGB32);
    if (strip.isNull()) throw std::runtime_error("The built-in glyph " + path.toStdString() + " is missing");
    const int glyphWidth = strip.width() / count;
    const QRgb transparent = strip.pixel(0, strip.height() - 1);

    Glyph glyph{QIcon(), QSize(glyphWidth, strip.height())};
    glyph.icon.addPixmap(glyphAt(strip, 0, glyphWidth, transparent), QIcon::Normal);
    if (count > 1) glyph.icon.addPixmap(glyphAt(strip, 1, glyphWidth, transparent), QIcon::Disabled);
    return glyph;
}

// One icon per glyph for the whole run: Qt caches what it draws of an icon under the icon's
// own key, so a fresh icon for every new button would leave a cache entry behind each time.
const Glyph& glyphFor(const QString& path, int count) {
    static QHash<QPair<QString, int>, Glyph> built;
    const auto key = qMakePair(path, count);
    auto found = built.find(key);
    if (found == built.end()) found = built.insert(key, buildGlyph(path, count));
    return *found;
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
    const Glyph& glyph = glyphFor(glyphResource_, numGlyphs_);
    setIcon(glyph.icon);
    setIconSize(glyph.size);
}

void BitBtn::closeDialog() {
    if (modalResult_ == 0) return;
    if (auto* dialog = qobject_cast<QDialog*>(window())) dialog->done(modalResult_);
}

}  // namespace miravane
