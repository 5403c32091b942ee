// Whole demo frames of the opening, rendered by the timeline from the generated data tree:
// the title picture over the whole screen, then the tile dissolve into the next scene.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "app/demo.h"
#include "app/scene_table.h"
#include "app/sys/offscreen_context.h"
#include "render/projection.h"
#include "app/timeline.h"
#include "render/compositing.h"
#include "base/gl.h"
#include "resources/image_loader.h"
#include "resources/texture_table.h"
#include "tests/support/frame_probe.h"

namespace {

class WelcomeFramesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(std::filesystem::is_directory(ZENTROX_GENERATED_DATA));
        std::filesystem::current_path(ZENTROX_GENERATED_DATA);
        ASSERT_TRUE(context.create()) << context.error();
        startDemo(demoTimeline(), 1);
    }
    static void TearDownTestSuite() {
        releaseScenes(demoScenes());
        context.destroy();
    }
    static Frame frameAt(float t) {
        runTimeline(demoTimeline(), t, 1.0f / 60.0f);
        context.swap();
        return context.readPixels();
    }
    // The render target drawn alone over the screen, as a Show step would.
    static Frame targetAlone(int32_t target) {
        viewport = {0, 0, kPictureWidth, kPictureHeight};
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawFullScreenQuad(textureEntry(target));
        context.swap();
        return context.readPixels();
    }
    static OffscreenContext context;
};

OffscreenContext WelcomeFramesTest::context;

TEST_F(WelcomeFramesTest, FiveSecondsInTheWelcomePictureFillsTheScreen) {
    const Frame frame = frameAt(5.0f);
    const std::unique_ptr<Image> picture = loadImage("Textures/Welcome.png");
    ASSERT_TRUE(picture && picture->data);
    // The picture, sampled where each screen area lands, against the frame's same area.
    double totalDifference = 0.0;
    int32_t samples = 0;
    for (int32_t y = 10; y < kPictureHeight - 10; y += 20) {
        for (int32_t x = 10; x < kPictureWidth - 10; x += 20) {
            const int32_t u = x * picture->width / kPictureWidth;
            const int32_t v = picture->height - 1 - y * picture->height / kPictureHeight;
            const uint8_t* texel =
                picture->data + (static_cast<size_t>(v) * picture->width + u) * picture->components;
            const Colour expected = {static_cast<double>(texel[0]), static_cast<double>(texel[1]),
                                     static_cast<double>(texel[2])};
            totalDifference += distance(areaMean(frame, x, y, 1), expected) / 3.0;
            ++samples;
        }
    }
    EXPECT_LT(totalDifference / samples, 12.0) << "mean difference per channel";
}

TEST_F(WelcomeFramesTest, DissolveShowsTilesOfBothScenes) {
    const Frame title = frameAt(5.0f);
    const Frame dissolve = frameAt(12.5f);
    const Frame next = targetAlone(kDeformTarget);
    int32_t welcomeTiles = 0;
    int32_t nextTiles = 0;
    for (int32_t row = 0; row < 12; ++row) {
        for (int32_t column = 0; column < 16; ++column) {
            const int32_t x = column * 50 + 25;
            const int32_t y = row * 50 + 25;
            const auto seen = areaMean(dissolve, x, y, 8);
            const auto fromWelcome = areaMean(title, x, y, 8);
            const auto fromNext = areaMean(next, x, y, 8);
            if (distance(fromWelcome, fromNext) < 30.0) {
                continue;  // the two pictures look alike here
            }
            welcomeTiles += distance(seen, fromWelcome) < 10.0;
            nextTiles += distance(seen, fromNext) < 10.0;
        }
    }
    // Half way through, about half of the 192 tiles are gone.
    EXPECT_GT(welcomeTiles, 40);
    EXPECT_GT(nextTiles, 40);
}

}  // namespace
