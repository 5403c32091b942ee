#include "app/timer.h"

#include <gtest/gtest.h>

namespace {

uint32_t fakeMilliseconds = 0;
uint32_t fakeClock() {
    return fakeMilliseconds;
}

// A counter reading as the timer stores it: single-precision seconds.
float seconds(uint32_t milliseconds) {
    return static_cast<float>(milliseconds) * 0.001f;
}

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override { fakeMilliseconds = 5000; }
    Timer timer{fakeClock};
};

TEST_F(TimerTest, StartsAtZeroWithZeroDelta) {
    timer.start();
    EXPECT_EQ(timer.elapsed(), 0.0f);
    EXPECT_EQ(timer.delta(), 0.0f);
}

TEST_F(TimerTest, TickMeasuresDeltaAndElapsed) {
    timer.start();
    fakeMilliseconds += 16;
    timer.tick();
    EXPECT_EQ(timer.delta(), seconds(5016) - seconds(5000));
    EXPECT_EQ(timer.elapsed(), seconds(5016) - seconds(5000));
    EXPECT_NEAR(timer.delta(), 0.016f, 1e-6f);
    fakeMilliseconds += 34;
    timer.tick();
    EXPECT_EQ(timer.delta(), seconds(5050) - seconds(5016));
    EXPECT_EQ(timer.elapsed(), seconds(5050) - seconds(5000));
    EXPECT_NEAR(timer.elapsed(), 0.050f, 1e-6f);
}

TEST_F(TimerTest, TwoTicksInOneMillisecondGiveZeroDelta) {
    timer.start();
    fakeMilliseconds += 3;
    timer.tick();
    timer.tick();
    EXPECT_EQ(timer.delta(), 0.0f);
    EXPECT_EQ(timer.elapsed(), seconds(5003) - seconds(5000));
}

TEST_F(TimerTest, ResetRestartsDemoTime) {
    timer.start();
    fakeMilliseconds += 2500;  // loading
    timer.tick();
    timer.reset();
    EXPECT_EQ(timer.elapsed(), 0.0f);
    EXPECT_EQ(timer.delta(), 0.0f);
    fakeMilliseconds += 100;
    timer.tick();
    EXPECT_EQ(timer.elapsed(), seconds(7600) - seconds(7500));
}

TEST(ProgramClock, CountsFromProgramStartWithMillisecondSteps) {
    // Seconds of a counter that starts near zero keep millisecond precision in a float for
    // hours; a counter since boot would not.
    const uint32_t now = programMilliseconds();
    EXPECT_LT(now, 60u * 60u * 1000u);
    const float seconds = static_cast<float>(3600000u + 1u) * 0.001f;
    EXPECT_NE(seconds, static_cast<float>(3600000u) * 0.001f);
}

}  // namespace
