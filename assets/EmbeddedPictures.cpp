#include "EmbeddedPictures.h"

#include <stdexcept>

#include <QResource>
#include <QtCore/qglobal.h>

// The resource initialiser lives in a static library, where nothing else refers to it; it
// has to be named outside any namespace.
static void initialisePictureResources() { Q_INIT_RESOURCE(pictures); }

namespace miravane {

void registerEmbeddedPictures() {
    static const bool registered = (initialisePictureResources(), true);
    (void)registered;
}

QByteArray embeddedBytes(const QString& path) {
    registerEmbeddedPictures();
    const QResource resource(path);
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression)
        throw std::runtime_error("The built-in picture " + path.toStdString() + " is missing");
    return QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()),
                                   static_cast<qsizetype>(resource.size()));
}

}  // namespace miravane
