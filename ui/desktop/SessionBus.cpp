#include "SessionBus.h"

#include <cstdlib>

namespace miravane {

void keepSessionBusFromAutolaunching() {
#if defined(__unix__)
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address && *address) return;
    // Any address libdbus cannot parse does; this one says why it is there.
    setenv("DBUS_SESSION_BUS_ADDRESS", "none-given:", 1);
#endif
}

}  // namespace miravane
