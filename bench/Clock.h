#pragma once

#include <time.h>

#include <cstdint>
#include <fstream>
#include <string>

namespace miravane::bench {

// CLOCK_MONOTONIC in nanoseconds: the clock the start-up launcher reads before it starts a
// process, so the two readings can be subtracted across processes.
inline std::int64_t monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

// A "VmRSS:"-style field of /proc/self/status, in KiB; -1 when it cannot be read.
inline long procStatusKiB(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
    return -1;
}

}  // namespace miravane::bench
