#pragma once

namespace miravane {

// Makes the C library handle characters as UTF-8 when the user's locale does not (the C locale
// of a system that sets no LANG, say), changing nothing else of that locale. Call first, before
// the toolkit starts.
void preferUtf8Characters();

}  // namespace miravane
