#include "TextEncoding.h"

#include <QtGlobal>

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
#include <langinfo.h>
#include <strings.h>

#include <array>
#include <clocale>
#include <cstdlib>
#include <string>
#endif

namespace miravane {

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
namespace {

bool isUtf8(const char* codeset) { return strcasecmp(codeset, "UTF-8") == 0 || strcasecmp(codeset, "utf8") == 0; }

// LC_ALL overrides every category: spelled out category by category, it keeps meaning the same
// for all of them while character handling alone changes.
void spellOutLcAll() {
    const char* all = std::getenv("LC_ALL");
    if (!all || !*all) return;
    const std::string value = all;
    constexpr std::array kCategories = {"LC_COLLATE",   "LC_MESSAGES", "LC_MONETARY", "LC_NUMERIC",
                                        "LC_TIME",      "LC_PAPER",    "LC_NAME",     "LC_ADDRESS",
                                        "LC_TELEPHONE", "LC_MEASUREMENT", "LC_IDENTIFICATION"};
    for (const char* category : kCategories) setenv(category, value.c_str(), 1);
    unsetenv("LC_ALL");
}

}  // namespace

// The toolkit switches its own text encoding to UTF-8 in such a locale, but the X library goes
// on writing the legacy window-title property in the locale's encoding, so a title bar that
// reads it would show "©" as "Â©". With UTF-8 character handling in the environment before
// the toolkit starts, all of them agree.
void preferUtf8Characters() {
    std::setlocale(LC_ALL, "");
    if (isUtf8(nl_langinfo(CODESET))) return;
    spellOutLcAll();
    setenv("LC_CTYPE", "C.UTF-8", 1);
    std::setlocale(LC_ALL, "");
}
#else
void preferUtf8Characters() {}
#endif

}  // namespace miravane
