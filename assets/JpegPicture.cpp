#include "JpegPicture.h"

#include <algorithm>

#include <QHash>

#include "EmbeddedPictures.h"

namespace miravane {
namespace {

const QByteArray& emptyStream() {
    static const QByteArray empty;
    return empty;
}

const QImage& nullImage() {
    static const QImage null;
    return null;
}

}  // namespace

std::shared_ptr<JpegPicture::Shared> JpegPicture::sharedFor(const QByteArray& stream) {
    auto shared = std::make_shared<Shared>();
    shared->stream = stream;
    return shared;
}

JpegPicture JpegPicture::fromStream(const QByteArray& stream) { return JpegPicture(sharedFor(stream)); }

std::shared_ptr<const JpegPicture::Shared> JpegPicture::sharedForResource(const QString& path, bool mayHaveTwice) {
    // Pictures of one resource alive at the same time share one decode: the 22 card images and
    // their holder decode the back once. Once none is left, the next one starts afresh.
    static QHash<QString, std::weak_ptr<const Shared>> alive;
    if (auto shared = alive.value(path).lock()) return shared;
    auto shared = sharedFor(embeddedBytes(path));
    if (mayHaveTwice) shared->twiceResource = twiceTheSizePath(path);
    alive.insert(path, shared);
    return shared;
}

JpegPicture JpegPicture::fromResource(const QString& path) { return JpegPicture(sharedForResource(path)); }

JpegPicture JpegPicture::twiceTheSize() const {
    if (!shared_) return {};
    if (!shared_->twiceResource.isEmpty()) {
        if (isEmbedded(shared_->twiceResource)) shared_->twice = sharedForResource(shared_->twiceResource, false);
        shared_->twiceResource.clear();
    }
    return JpegPicture(shared_->twice);
}

QSize JpegPicture::size() const {
    if (!shared_) return {};
    if (!shared_->sizeRead) {
        shared_->size = shared_->image.isNull() ? readJpegSize(shared_->stream) : shared_->image.size();
        shared_->sizeRead = true;
    }
    return shared_->size;
}

const QByteArray& JpegPicture::stream() const { return shared_ ? shared_->stream : emptyStream(); }

const QImage& JpegPicture::image(DecodeDepth depth, JpegColumns columns) const {
    if (!shared_ || hasFailed()) return nullImage();
    columns = columns.within(std::max(0, size().width()));
    const bool haveImage = !shared_->image.isNull() && shared_->depth == depth;
    if (!haveImage || !shared_->columns.contains(columns)) {
        // What was decoded before stays wanted: copies of a picture share its pixels.
        if (haveImage)
            columns = {std::min(columns.begin, shared_->columns.begin), std::max(columns.end, shared_->columns.end)};
        DecodedJpeg decoded = decodeJpeg(shared_->stream, depth, columns);
        shared_->image = std::move(decoded.image);
        shared_->error = std::move(decoded.error);
        shared_->depth = depth;
        shared_->columns = columns;
    }
    return shared_->image;
}

QString JpegPicture::takeFailureToReport() const {
    if (!hasFailed() || shared_->errorReported) return {};
    shared_->errorReported = true;
    return shared_->error;
}

}  // namespace miravane
