#include "BitBtn.h"

#include <QDialog>
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include "Bitmap16.h"

namespace miravane {
namespace {

struct Glyph {
    QIcon icon;
    QSize size;
};

Glyph buildGlyph(const QString& path, int count) {
    const QImage strip = withBottomLeftTransparent(loadBitmap16(path));
    const int glyphWidth = strip.width() / count;
    auto glyphAt = [&](int index) {
        return QPixmap::fromImage(strip.copy(index * glyphWidth, 0, glyphWidth, strip.height()));
    };

    Glyph glyph{QIcon(), QSize(glyphWidth, strip.height())};
    glyph.icon.addPixmap(glyphAt(0), QIcon::Normal);
    if (count > 1) glyph.icon.addPixmap(glyphAt(1), QIcon::Disabled);
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
