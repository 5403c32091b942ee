#include "tools/capture/frame_average.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The sRGB curve in double precision, as the standard gives it.
double light(int value) {
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

TEST(FrameAverage, EveryValueGoesToLightAndBackUnchanged) {
    for (int value = 0; value < 256; ++value) {
        const uint16_t l = linearFromSrgb(static_cast<uint8_t>(value));
        EXPECT_NEAR(l / 65535.0, light(value), 1.0 / 65535.0) << value;
        EXPECT_EQ(srgbFromLinear(l), value);
    }
    EXPECT_EQ(linearFromSrgb(0), 0);
    EXPECT_EQ(linearFromSrgb(255), 65535);
}

TEST(FrameAverage, TheMeanIsTakenInLightAndRoundedToTheNearestValue) {
    // Half of white and half of black is half the light: 188 in sRGB, not 128.
    FrameAverage average(3);
    average.add({255, 0, 128});
    average.add({0, 255, 128});
    EXPECT_EQ(average.take(), (std::vector<uint8_t>{188, 188, 128}));
    // Against the curve in double precision: the nearest value to the mean light.
    for (int a = 0; a < 256; a += 5) {
        for (int b = 0; b < 256; b += 7) {
            FrameAverage pair(1);
            pair.add({static_cast<uint8_t>(a)});
            pair.add({static_cast<uint8_t>(b)});
            const double mean = (light(a) + light(b)) / 2.0;
            int nearest = 0;
            for (int v = 1; v < 256; ++v) {
                if (std::fabs(light(v) - mean) < std::fabs(light(nearest) - mean)) {
                    nearest = v;
                }
            }
            EXPECT_NEAR(pair.take()[0], nearest, 1) << a << " " << b;
        }
    }
}

TEST(FrameAverage, EqualFramesGiveThemselvesAndTakeStartsAgain) {
    FrameAverage average(4);
    for (int i = 0; i < 16; ++i) {
        average.add({0, 17, 200, 255});
    }
    EXPECT_EQ(average.frames(), 16);
    EXPECT_EQ(average.take(), (std::vector<uint8_t>{0, 17, 200, 255}));
    EXPECT_EQ(average.frames(), 0);
    EXPECT_EQ(average.take(), (std::vector<uint8_t>{0, 0, 0, 0}));
    average.add({9, 9, 9, 9});
    EXPECT_EQ(average.take(), (std::vector<uint8_t>{9, 9, 9, 9}));
}

}  // namespace
