#pragma once

#include <memory>

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include "JpegDecoder.h"

namespace miravane {

// A JPEG picture: its compressed stream, decoded only when somebody asks for the pixels, and
// optionally the same picture drawn at twice the size for screens of more than 96 dpi.
// Copies share the streams and the decoded images by reference count, so copying a picture
// from one control to another never duplicates image data, and a picture that is never
// drawn is never decoded; the twice-the-size picture is decoded only when it is drawn.
class JpegPicture {
public:
    JpegPicture() = default;  // empty: no stream, nothing to draw

    // Wraps the stream without copying it (for embedded data that lives as long as the program).
    static JpegPicture fromStream(const QByteArray& stream);

    // The embedded picture at a resource path such as ":/cards/back.jpg", wrapping the embedded
    // bytes in place; while a picture of that path is alive, the new one shares its data.
    // The twice-the-size picture is the resource of the same name with "@2x", if there is one.
    // Throws if there is no such resource.
    static JpegPicture fromResource(const QString& path);

    bool isEmpty() const { return !shared_; }

    // The picture's size from the stream's header (no decoding); empty for an empty or bad stream.
    QSize size() const;

    const QByteArray& stream() const;

    bool isDecoded() const { return shared_ && !shared_->image.isNull(); }
    bool hasFailed() const { return shared_ && !shared_->error.isEmpty(); }

    // The pixels, decoded on first use; a null image if the stream cannot be decoded. Only the
    // given columns are sure to be decoded (see decodeJpeg): a control that shows part of a
    // wide picture asks for the part it shows. Asked for more than is decoded, it decodes again.
    const QImage& image(DecodeDepth depth = DecodeDepth::TrueColour, JpegColumns columns = {}) const;

    // Why decoding failed, the first time it is asked after a failure; empty every other time,
    // so that a damaged picture is reported once however often it is drawn.
    QString takeFailureToReport() const;

    bool sharesDataWith(const JpegPicture& other) const { return shared_ && shared_ == other.shared_; }

    // The picture at twice the size, shared with this one's copies; empty if there is none. An
    // embedded one is looked up only here, so at 96 dpi not a byte of it is read.
    JpegPicture twiceTheSize() const;

private:
    struct Shared {
        QByteArray stream;
        mutable QSize size;
        mutable bool sizeRead = false;
        mutable QImage image;
        mutable DecodeDepth depth = DecodeDepth::TrueColour;
        mutable JpegColumns columns;  // those of the image that are decoded
        mutable QString error;
        mutable bool errorReported = false;
        // Where the picture at twice the size would be embedded; looked up at its first use only,
        // since even looking up an embedded file reads the bytes in front of it.
        mutable QString twiceResource;
        mutable std::shared_ptr<const Shared> twice;
    };

    explicit JpegPicture(std::shared_ptr<const Shared> shared) : shared_(std::move(shared)) {}

    static std::shared_ptr<Shared> sharedFor(const QByteArray& stream);
    static std::shared_ptr<const Shared> sharedForResource(const QString& path, bool mayHaveTwice = true);

    std::shared_ptr<const Shared> shared_;
};

}  // namespace miravane
