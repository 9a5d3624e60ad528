#pragma once

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>

#include <QCoreApplication>
#include <QTimer>

#include "Callgrind.h"
#include "Clock.h"

namespace miravane::bench {

// Called once the window's first complete paint is on the screen: tells the launcher when
// that was, and ends the program the ordinary way (out of the event loop). Under callgrind,
// everything from the process's first instruction to here is dumped as "first paint".
// With BENCH_IDLE_MS set, the program stays that long before it ends, so that what it does
// once idle is measured too: in its peak memory, and under callgrind dumped apart as "idle".
inline void reportFirstPaintAndQuit() {
    CALLGRIND_DUMP_STATS_AT("first paint");
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
    const int idleMs = std::atoi(std::getenv("BENCH_IDLE_MS") ? std::getenv("BENCH_IDLE_MS") : "0");
    if (idleMs <= 0) return QCoreApplication::quit();
    QTimer::singleShot(idleMs, [] {
        CALLGRIND_DUMP_STATS_AT("idle");
        QCoreApplication::quit();
    });
}

}  // namespace miravane::bench
