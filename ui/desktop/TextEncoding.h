#pragma once

namespace miravane {

// Makes the C library of this process handle characters as UTF-8 when the user's locale does
// not (the C locale of a system that sets no LANG, say), changing nothing else of that locale
// and nothing in the environment. Call once the application object exists: it sets the
// process's locale from the environment as it starts.
void preferUtf8Characters();

}  // namespace miravane
