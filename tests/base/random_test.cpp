#include "base/random.h"

#include <gtest/gtest.h>

namespace {

TEST(Random, KnownSeedGivesTheFifteenBitSequence) {
    seedRandom(1);
    EXPECT_EQ(nextRandom(), 41);
    EXPECT_EQ(nextRandom(), 18467);
    EXPECT_EQ(nextRandom(), 6334);
    EXPECT_EQ(nextRandom(), 26500);
    EXPECT_EQ(nextRandom(), 19169);
}

TEST(Random, StaysInRangeAndReachesBothEnds) {
    seedRandom(12345);
    int32_t lowest = kRandomMax;
    int32_t highest = 0;
    for (int32_t i = 0; i < 200000; ++i) {
        const int32_t r = nextRandom();
        ASSERT_GE(r, 0);
        ASSERT_LE(r, kRandomMax);
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    EXPECT_EQ(lowest, 0);
    EXPECT_EQ(highest, kRandomMax);
}

TEST(Random, ReseedingRepeatsTheSequence) {
    seedRandom(777);
    const int32_t first = nextRandom();
    const int32_t second = nextRandom();
    seedRandom(777);
    EXPECT_EQ(nextRandom(), first);
    EXPECT_EQ(nextRandom(), second);
}

}  // namespace
