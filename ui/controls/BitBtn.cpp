#include "BitBtn.h"

#include <memory>
#include <optional>
#include <vector>

#include <QApplication>
#include <QDialog>
#include <QHash>
#include <QIcon>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

#include "Bitmap16.h"
#include "EmbeddedPictures.h"

namespace miravane {
namespace {

struct Glyph {
    QIcon icon;
    QSize size;
};

// The images of a glyph bitmap cut apart, each side by side in the bitmap.
std::vector<QPixmap> glyphImages(const QString& path, int count) {
    const QImage strip = withBottomLeftTransparent(loadBitmap16(path));
    const int glyphWidth = strip.width() / count;
    std::vector<QPixmap> images;
    for (int index = 0; index < count; ++index)
        images.push_back(QPixmap::fromImage(strip.copy(index * glyphWidth, 0, glyphWidth, strip.height())));
    return images;
}

// A glyph drawn from its bitmap at the button's size, and above 96 dpi from the bitmap drawn at
// twice the size, where there is one; each is read when first drawn, never before. Other
// sizes are resampled smoothly from the larger one.
class GlyphEngine : public QIconEngine {
public:
    struct Images {
        QString path;
        int count;
        QSize size;
        std::optional<bool> hasTwice;  // looked up when first drawn above 96 dpi
        std::vector<QPixmap> one, twice;
    };

    explicit GlyphEngine(std::shared_ptr<Images> images) : images_(std::move(images)) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        Images& glyph = *images_;
        const bool larger = size.width() > glyph.size.width() || size.height() > glyph.size.height();
        if (larger && !glyph.hasTwice) glyph.hasTwice = isEmbedded(twiceTheSizePath(glyph.path));
        const bool large = larger && *glyph.hasTwice;
        std::vector<QPixmap>& set = large ? glyph.twice : glyph.one;
        if (set.empty()) set = glyphImages(large ? twiceTheSizePath(glyph.path) : glyph.path, glyph.count);

        const bool disabled = mode == QIcon::Disabled;
        QPixmap image = set[disabled && glyph.count > 1 ? 1 : 0];
        if (image.size() != size && large) image = image.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (disabled && glyph.count == 1) {
            QStyleOption option;
            option.palette = QApplication::palette();
            image = QApplication::style()->generatedIconPixmap(QIcon::Disabled, image, &option);
        }
        return image;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        return images_->size.boundedTo(size);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const qreal ratio = painter->device()->devicePixelRatioF();
        painter->drawPixmap(rect, pixmap((QSizeF(rect.size()) * ratio).toSize(), mode, state));
    }

    QIconEngine* clone() const override { return new GlyphEngine(images_); }

private:
    std::shared_ptr<Images> images_;
};

Glyph buildGlyph(const QString& path, int count) {
    auto images = std::make_shared<GlyphEngine::Images>();
    images->path = path;
    images->count = count;
    images->one = glyphImages(path, count);
    images->size = images->one.front().size();
    return Glyph{QIcon(new GlyphEngine(images)), images->size};
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
