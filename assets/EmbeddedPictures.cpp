#include "EmbeddedPictures.h"

#include <QtCore/qglobal.h>

// The resource initialiser lives in a static library, where nothing else refers to it; it
// has to be named outside any namespace.
static void initialisePictureResources() { Q_INIT_RESOURCE(pictures); }

namespace miravane {

void registerEmbeddedPictures() {
    static const bool registered = (initialisePictureResources(), true);
    (void)registered;
}

}  // namespace miravane
