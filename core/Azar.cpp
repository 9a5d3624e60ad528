#include "Azar.h"

namespace miravane::azar {
namespace {

constexpr std::uint32_t kMultiplier = 22695477u;
constexpr std::uint32_t kIncrement = 1u;

thread_local std::uint32_t state = 0;

}  // namespace

void srand(std::uint32_t seed) {
    state = seed;
    rand();
}

int rand() {
    state = state * kMultiplier + kIncrement;  // wraps modulo 2^32 by unsigned arithmetic
    return static_cast<int>((state >> 16) & kRandMax);
}

}  // namespace miravane::azar
