#include "Azar.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace miravane::azar {
namespace {

std::vector<int> firstDraws(std::uint32_t seed, int count) {
    srand(seed);
    std::vector<int> draws;
    for (int i = 0; i < count; ++i) draws.push_back(rand());
    return draws;
}

TEST(Azar, KnownSequencesForFixedSeeds) {
    EXPECT_EQ(firstDraws(0, 3), (std::vector<int>{346, 130, 10982}));
    EXPECT_EQ(firstDraws(1, 3), (std::vector<int>{130, 10982, 1090}));
}

TEST(Azar, ReseedingRestartsTheSequence) {
    const auto first = firstDraws(12345, 50);
    EXPECT_EQ(firstDraws(12345, 50), first);
}

TEST(Azar, ResultsStayWithinRangeOverTheWholeStateWrap) {
    for (std::uint32_t seed : {0u, 1u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) {
        srand(seed);
        for (int i = 0; i < 10000; ++i) {
            const int r = rand();
            ASSERT_GE(r, 0);
            ASSERT_LE(r, kRandMax);
        }
    }
}

TEST(Azar, EachThreadHasItsOwnState) {
    srand(0);
    EXPECT_EQ(rand(), 346);
    std::thread other([] {
        srand(999);
        for (int i = 0; i < 100; ++i) rand();
    });
    other.join();
    EXPECT_EQ(rand(), 130);
}

}  // namespace
}  // namespace miravane::azar
