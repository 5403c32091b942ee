#include <gtest/gtest.h>

#include "app/framebuffer.h"

namespace {

void expectRectangle(const Rectangle& r, int32_t x, int32_t y, int32_t width, int32_t height) {
    EXPECT_EQ(r.x, x);
    EXPECT_EQ(r.y, y);
    EXPECT_EQ(r.width, width);
    EXPECT_EQ(r.height, height);
}

TEST(Letterbox, FitsExactlyWhenTheRatiosMatch) {
    expectRectangle(letterbox(800, 600, 800, 600), 0, 0, 800, 600);
    expectRectangle(letterbox(800, 600, 1600, 1200), 0, 0, 1600, 1200);
}

TEST(Letterbox, WiderWindowGetsBarsLeftAndRight) {
    expectRectangle(letterbox(800, 600, 1920, 1080), 240, 0, 1440, 1080);
}

TEST(Letterbox, TallerWindowGetsBarsAboveAndBelow) {
    expectRectangle(letterbox(800, 600, 1080, 1920), 0, 555, 1080, 810);
}

TEST(Letterbox, EmptySizesGiveAnEmptyArea) {
    expectRectangle(letterbox(800, 600, 0, 0), 0, 0, 0, 0);
    expectRectangle(letterbox(0, 600, 800, 600), 0, 0, 0, 0);
}

}  // namespace
