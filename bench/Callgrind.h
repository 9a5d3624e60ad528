#pragma once

// The client requests bench/run and bench/profile count instructions with: outside valgrind
// (or without its headers) they cost a few instructions and do nothing.
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_TOGGLE_COLLECT \
    do {                         \
    } while (0)
#define CALLGRIND_DUMP_STATS_AT(what) \
    do {                              \
        (void)(what);                 \
    } while (0)
#endif
