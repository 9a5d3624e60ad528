#pragma once

#include <cstdint>

// The program's own pseudo-random generator. Its arithmetic is fixed so that a given
// seed always yields the same deck order on every platform; the C library's rand() is
// never used. The state is per thread.
namespace miravane::azar {

constexpr int kRandMax = 0x7FFF;

// Sets the state to the seed, then makes one step whose result is discarded.
void srand(std::uint32_t seed);

// Advances the state and returns a value in 0..kRandMax.
int rand();

}  // namespace miravane::azar
