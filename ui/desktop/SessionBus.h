#pragma once

#include <optional>
#include <string>

namespace miravane {

// Without a session bus, the toolkit's D-Bus users (the accessibility bridge above all) would
// have libdbus "autolaunch" one: start a bus daemon of its own that outlives the program and
// write its address under the home folder. The program starts nothing and writes nothing, so
// while the toolkit starts and makes its connections, a process that is given no bus, and has
// none where libdbus looks by default ($XDG_RUNTIME_DIR/bus), names one that cannot be parsed:
// every connection attempt fails at once. A bus that is given or found is used as it is. When
// the guard goes, the environment is as it was given, for the programs started later.
class NoAutolaunchedSessionBus {
public:
    NoAutolaunchedSessionBus();
    ~NoAutolaunchedSessionBus();
    NoAutolaunchedSessionBus(const NoAutolaunchedSessionBus&) = delete;
    NoAutolaunchedSessionBus& operator=(const NoAutolaunchedSessionBus&) = delete;

private:
    bool named_ = false;
    std::optional<std::string> given_;  // the variable as it was given: unset, empty or an address
};

}  // namespace miravane
