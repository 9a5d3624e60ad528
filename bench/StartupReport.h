#pragma once

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>

#include <QCoreApplication>

#include "Clock.h"

namespace miravane::bench {

// Called once the window's first complete paint is on the screen: tells the launcher when
// that was, and ends the program the ordinary way (out of the event loop).
inline void reportFirstPaintAndQuit() {
    std::printf("painted_ns=%lld\n", static_cast<long long>(monotonicNs()));
    std::printf("hwm_at_paint_kib=%ld\n", procStatusKiB("VmHWM"));
    // Which shared objects it took to get here: the plugins and libraries worth questioning.
    if (std::getenv("BENCH_LIST_LIBRARIES")) {
        std::ifstream maps("/proc/self/maps");
        std::set<std::string> libraries;
        std::string line;
        while (std::getline(maps, line)) {
            const auto slash = line.find('/');
            if (slash != std::string::npos && line.find(".so", slash) != std::string::npos)
                libraries.insert(line.substr(slash));
        }
        for (const std::string& library : libraries) std::printf("library=%s\n", library.c_str());
    }
    std::fflush(stdout);
    QCoreApplication::quit();
}

}  // namespace miravane::bench
