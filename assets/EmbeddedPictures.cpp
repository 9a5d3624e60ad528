#include "EmbeddedPictures.h"

#include <stdexcept>

#include <QResource>
#include <QtCore/qglobal.h>

// The resource initialisers live in a static library, where nothing else refers to them; they
// have to be named outside any namespace.
static void initialisePictureResources() {
    Q_INIT_RESOURCE(pictures);
    Q_INIT_RESOURCE(pictures2x);
}

namespace miravane {

void registerEmbeddedPictures() {
    static const bool registered = (initialisePictureResources(), true);
    (void)registered;
}

bool isEmbedded(const QString& path) {
    registerEmbeddedPictures();
    const QResource resource(path);
    return resource.isValid() && resource.compressionAlgorithm() == QResource::NoCompression;
}

QString twiceTheSizePath(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype end = dot > slash ? dot : path.size();
    return path.left(end) + QStringLiteral("@2x") + path.mid(end);
}

QByteArray embeddedBytes(const QString& path) {
    if (!isEmbedded(path))
        throw std::runtime_error("The built-in picture " + path.toStdString() + " is missing");
    const QResource resource(path);
    return QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()),
                                   static_cast<qsizetype>(resource.size()));
}

}  // namespace miravane
