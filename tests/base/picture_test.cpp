#include "base/picture.h"

#include <gtest/gtest.h>

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

TEST(PictureLayout, AtEightHundredBySixHundredEveryCountIsAsMade) {
    const PictureLayout layout = layoutFor(800, 600);
    expectRectangle(layout.area, 0, 0, 800, 600);
    EXPECT_EQ(layout.targetSide, 512);
    EXPECT_EQ(layout.scale, 1.0f);
}

TEST(PictureLayout, CountsScaleWithThePicturesHeight) {
    const PictureLayout hd = layoutFor(1920, 1080);
    expectRectangle(hd.area, 240, 0, 1440, 1080);
    EXPECT_EQ(hd.targetSide, 922);  // 921.6, rounded
    EXPECT_FLOAT_EQ(hd.scale, 1.8f);
    const PictureLayout uhd = layoutFor(3840, 2160);
    expectRectangle(uhd.area, 480, 0, 2880, 2160);
    EXPECT_EQ(uhd.targetSide, 1843);
    EXPECT_FLOAT_EQ(uhd.scale, 3.6f);
    const PictureLayout portrait = layoutFor(1080, 1920);
    expectRectangle(portrait.area, 0, 555, 1080, 810);
    EXPECT_EQ(portrait.targetSide, 691);
}

TEST(PictureLayout, TheSceneTargetAlwaysFitsTheSurface) {
    for (int32_t width = 4; width < 700; width += 37) {
        for (int32_t height = 3; height < 700; height += 41) {
            const PictureLayout layout = layoutFor(width, height);
            EXPECT_GE(layout.targetSide, 1);
            EXPECT_LE(layout.targetSide, width) << width << "x" << height;
            EXPECT_LE(layout.targetSide, height) << width << "x" << height;
        }
    }
    EXPECT_TRUE(pictureFits(4, 3));
    EXPECT_FALSE(pictureFits(3, 3));
    EXPECT_FALSE(pictureFits(4, 2));
}

TEST(PictureLayout, TheLayoutInForceIsTheOneSet) {
    EXPECT_EQ(pictureLayout().targetSide, 512);
    setPictureLayout(layoutFor(1600, 1200));
    EXPECT_EQ(pictureLayout().targetSide, 1024);
    setPictureLayout(layoutFor(800, 600));
}

}  // namespace

TEST(CappedSurfaceSize, KeepsWhatFitsAndScalesTheRestDownToFourK) {
    const SurfaceSize same = cappedSurfaceSize(1920.0, 1080.0);
    EXPECT_EQ(same.width, 1920);
    EXPECT_EQ(same.height, 1080);
    const SurfaceSize fractional = cappedSurfaceSize(1279.5, 719.6);
    EXPECT_EQ(fractional.width, 1280);
    EXPECT_EQ(fractional.height, 720);
    const SurfaceSize wide = cappedSurfaceSize(7680.0, 2160.0);  // wider than 4K
    EXPECT_EQ(wide.width, 3840);
    EXPECT_EQ(wide.height, 1080);
    const SurfaceSize tall = cappedSurfaceSize(2000.0, 4320.0);  // a tall phone's screen
    EXPECT_EQ(tall.width, 1000);
    EXPECT_EQ(tall.height, 2160);
    const SurfaceSize empty = cappedSurfaceSize(0.0, 0.0);
    EXPECT_EQ(empty.width, 1);
    EXPECT_EQ(empty.height, 1);
}
