#include "SessionBus.h"

#include <cstdlib>

#if defined(__unix__)
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace miravane {
namespace {

constexpr char kAddressVariable[] = "DBUS_SESSION_BUS_ADDRESS";

#if defined(__unix__)
// Where libdbus looks when no address is given: a socket of the user's own at $XDG_RUNTIME_DIR/bus.
bool hasBusWhereLibdbusLooks() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || !*runtime) return false;
    struct stat bus {};
    const std::string path = std::string(runtime) + "/bus";
    return stat(path.c_str(), &bus) == 0 && bus.st_uid == getuid() && S_ISSOCK(bus.st_mode);
}
#endif

}  // namespace

NoAutolaunchedSessionBus::NoAutolaunchedSessionBus() {
#if defined(__unix__)
    if (const char* address = std::getenv(kAddressVariable)) given_ = address;
    if ((given_ && !given_->empty()) || hasBusWhereLibdbusLooks()) return;
    // Any address libdbus cannot parse does; this one says why it is there.
    setenv(kAddressVariable, "none-given:", 1);
    named_ = true;
#endif
}

NoAutolaunchedSessionBus::~NoAutolaunchedSessionBus() {
#if defined(__unix__)
    if (!named_) return;
    if (given_)
        setenv(kAddressVariable, given_->c_str(), 1);
    else
        unsetenv(kAddressVariable);
#endif
}

}  // namespace miravane
