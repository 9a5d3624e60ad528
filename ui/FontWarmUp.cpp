#include "FontWarmUp.h"

#include <system_error>

#if MIRAVANE_FONTCONFIG
#include <clocale>

#include <fontconfig/fontconfig.h>
#endif

namespace miravane {

FontWarmUp::FontWarmUp() {
#if MIRAVANE_FONTCONFIG
    // The toolkit sets the locale from the environment as it starts, and the loader reads it
    // (numbers in the configuration). Setting it first, as the toolkit will, means the loader
    // never reads it while it changes.
    std::setlocale(LC_ALL, "");
    try {
        loader_ = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
        // No thread to spare: the toolkit loads the configuration itself when it needs it.
    }
#endif
}

FontWarmUp::~FontWarmUp() { finish(); }

void FontWarmUp::finish() {
    if (loader_.joinable()) loader_.join();
}

}  // namespace miravane
