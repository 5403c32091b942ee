#include "tools/generator/text_renderer.h"

#include <gtest/gtest.h>

#include <fstream>

#include "generator_test_support.h"
#include "tools/generator/textures.h"

namespace {

struct InkBox {
    int32_t left = 1 << 30;
    int32_t top = 1 << 30;
    int32_t right = -1;
    int32_t bottom = -1;
    double coverage = 0.0;
};

InkBox inkOf(const Mask& mask) {
    InkBox box;
    for (int32_t y = 0; y < mask.height; ++y) {
        for (int32_t x = 0; x < mask.width; ++x) {
            if (mask.at(x, y) > 0.0f) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
                box.coverage += mask.at(x, y);
            }
        }
    }
    return box;
}

class TextRendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(font.load(kBoldFontFile, error)) << error;
    }
    TextRenderer font;
};

TEST(TextRendererLoading, NamesTheMissingFileAndTheReason) {
    TextRenderer font;
    std::string error;
    EXPECT_FALSE(font.load("/nonexistent/Missing.ttf", error));
    EXPECT_NE(error.find("/nonexistent/Missing.ttf"), std::string::npos) << error;
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;
    EXPECT_FALSE(font.loaded());
}

TEST(TextRendererLoading, RefusesAFileThatIsNotAFont) {
    const ScratchFolder folder("zentrox-font");
    const std::string path = (folder.path / "notes.ttf").string();
    std::ofstream(path) << "not a font\n";
    TextRenderer font;
    std::string error;
    EXPECT_FALSE(font.load(path, error));
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_FALSE(font.loaded());
}

TEST_F(TextRendererTest, RenderHoldsTheInkWithThePadding) {
    const Mask mask = font.render("Zentrox", {48, 0}, 5);
    const InkBox ink = inkOf(mask);
    ASSERT_GT(ink.coverage, 100.0);
    EXPECT_EQ(ink.left, 5);
    EXPECT_EQ(ink.top, 5);
    EXPECT_EQ(mask.width - ink.right, 5);
    EXPECT_EQ(mask.height - ink.bottom, 5);
}

TEST_F(TextRendererTest, MeasuredInkMatchesTheDrawnInk) {
    const TextStyle style{40, 3};
    const TextMetrics m = font.measure("rq73", style);
    Mask mask(300, 100);
    font.draw(mask, "rq73", style, 20, 70);
    const InkBox ink = inkOf(mask);
    EXPECT_EQ(ink.left, 20 + m.inkLeft);
    EXPECT_EQ(ink.right, 20 + m.inkRight);
    EXPECT_EQ(ink.top, 70 + m.inkTop);
    EXPECT_EQ(ink.bottom, 70 + m.inkBottom);
    // The q descends below the baseline, the 7 rises above it.
    EXPECT_GT(m.inkBottom, 0);
    EXPECT_LT(m.inkTop, -20);
    EXPECT_GT(m.ascender, 0);
    EXPECT_GT(m.descender, 0);
}

TEST_F(TextRendererTest, TrackingWidensEveryGap) {
    const int32_t plain = font.measure("abcd", {32, 0}).advance;
    const int32_t tracked = font.measure("abcd", {32, 10}).advance;
    EXPECT_EQ(tracked - plain, 30);
}

TEST_F(TextRendererTest, BiggerTextHasMoreInk) {
    const double small = inkOf(font.render("and", {20, 0}, 0)).coverage;
    const double large = inkOf(font.render("and", {40, 0}, 0)).coverage;
    EXPECT_NEAR(large / small, 4.0, 0.8);
}

TEST_F(TextRendererTest, DrawingClipsAtTheMaskBorders) {
    Mask mask(30, 20);
    font.draw(mask, "WWWW", {40, 0}, -10, 30);
    EXPECT_GT(inkOf(mask).coverage, 10.0);
}

TEST_F(TextRendererTest, SpacesAdvanceWithoutInk) {
    const TextMetrics m = font.measure("   ", {32, 0});
    EXPECT_GT(m.advance, 0);
    EXPECT_EQ(m.inkRight - m.inkLeft, 0);
}

TEST_F(TextRendererTest, DecodesUtf8) {
    // A middle dot (two bytes) draws one glyph, not two replacement marks.
    const int32_t dot = font.measure("\u00b7", {32, 0}).advance;
    const int32_t question = font.measure("?", {32, 0}).advance;
    EXPECT_GT(dot, 0);
    EXPECT_LT(dot, question);
}

}  // namespace
