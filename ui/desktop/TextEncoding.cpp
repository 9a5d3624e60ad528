#include "TextEncoding.h"

#include <QtGlobal>

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
#include <langinfo.h>
#include <strings.h>

#include <clocale>
#endif

namespace miravane {

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
namespace {

bool isUtf8(const char* codeset) { return strcasecmp(codeset, "UTF-8") == 0 || strcasecmp(codeset, "utf8") == 0; }

}  // namespace

// The toolkit's own text is UTF-8 in any locale, but the X library writes the legacy
// window-title property in the encoding of the C library's character handling, so a title bar
// that reads it would show "©" as "Â©". The windows' titles are set when they are first shown,
// after this.
void preferUtf8Characters() {
    if (!isUtf8(nl_langinfo(CODESET))) std::setlocale(LC_CTYPE, "C.UTF-8");
}
#else
void preferUtf8Characters() {}
#endif

}  // namespace miravane
