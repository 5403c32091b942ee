// The tunnel scene rendered alone from the generated data tree: its travel and camera, what the
// picture holds, and the title's status text.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "app/demo.h"
#include "app/sys/offscreen_context.h"
#include "render/projection.h"
#include "app/scene_table.h"
#include "app/spectrum.h"
#include "scenes/status.h"
#include "app/timeline.h"
#include "base/gl.h"
#include "resources/text_file.h"
#include "resources/texture_table.h"
#include "scenes/tunnel.h"
#include "tests/support/frame_probe.h"
#include "tests/support/generated_tree.h"

namespace {

class TunnelFramesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { enterGeneratedTree(context); }
    static void TearDownTestSuite() { leaveGeneratedTree(context); }
    void SetUp() override { scene.load(); }

    // The scene drawn straight onto the screen at scene time t.
    Frame frameAt(float t, float dt) {
        viewport = {0, 0, kPictureWidth, kPictureHeight};
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        scene.render(t, dt);
        context.swap();
        return context.readPixels();
    }
    void setOverlayStrength(const char* strength) {
        const std::string value(strength);
        scene.overlayCurve.loadLines(splitLines("0 " + value + "\n40 " + value + "\n"));
    }

    static OffscreenContext context;
    ETunnel scene;
};

OffscreenContext TunnelFramesTest::context;

// Pixels of the two frames that differ, in the left and the right half of the screen.
struct HalfDifferences {
    int64_t left = 0;
    int64_t right = 0;
};

HalfDifferences differingPixels(const Frame& a, const Frame& b) {
    HalfDifferences differences;
    for (size_t pixel = 0; pixel < a.size() / 3; ++pixel) {
        const bool differs = a[3 * pixel] != b[3 * pixel] || a[3 * pixel + 1] != b[3 * pixel + 1] ||
                             a[3 * pixel + 2] != b[3 * pixel + 2];
        const bool left = static_cast<int32_t>(pixel % kPictureWidth) < kPictureWidth / 2;
        (left ? differences.left : differences.right) += differs;
    }
    return differences;
}

TEST_F(TunnelFramesTest, StatusTextIsTheMidLevelFromTheFirstTunnelFrameOn) {
    EXPECT_TRUE(statusText.empty());
    midLevel = 0.1234567f;
    frameAt(3.0f, 0.02f);
    EXPECT_STREQ(statusText.c_str(), "0.123457");
    midLevel = 0.5f;
    runTimeline(demoTimeline(), 130.0f, 0.02f);  // the tunnel is over
    EXPECT_STREQ(statusText.c_str(), "0.123457");
}

TEST_F(TunnelFramesTest, TravelIntegratesTheSpeedAndStopsWithTheClock) {
    scene.tunnelPosition = 10.0f;
    frameAt(1.0f, 0.1f);
    EXPECT_FLOAT_EQ(scene.tunnelPosition, 10.0f + 2.0f * (std::sin(1.0f) + 3.0f) * 0.1f);

    // With dt = 0 the camera stays where it is, and the roll still turns with t.
    scene.tunnelPosition = 10.0f;
    setOverlayStrength("0");
    const Frame before = frameAt(5.0f, 0.0f);
    EXPECT_EQ(scene.tunnelPosition, 10.0f);
    EXPECT_EQ(frameAt(5.0f, 0.0f), before);
    const HalfDifferences rolled = differingPixels(before, frameAt(7.0f, 0.0f));
    EXPECT_GT(rolled.left + rolled.right, kPictureWidth * kPictureHeight / 10);
    EXPECT_EQ(scene.tunnelPosition, 10.0f);
}

TEST_F(TunnelFramesTest, FarEndIsFoggedBlackAndNearWallsAreLit) {
    scene.tunnelPosition = 0.0f;
    setOverlayStrength("0");
    const Frame frame = frameAt(0.0f, 0.0f);
    // Looking down the tube: the far end, in the middle of the picture, is lost in the fog.
    const Colour black = {0.0, 0.0, 0.0};
    const double centre =
        distance(areaMean(frame, kPictureWidth / 2, kPictureHeight / 2, 10), black);
    EXPECT_LT(centre, 60.0) << "brightness of the centre, three channels summed";
    // The walls close to the camera fill the picture's rim, inside the letterbox bars, with the
    // lit texture.
    double rim = 0.0;
    for (const int32_t x : {30, 400, 770}) {
        rim += distance(areaMean(frame, x, 100, 10), black) +
               distance(areaMean(frame, x, kPictureHeight - 100, 10), black);
    }
    rim /= 6.0;
    EXPECT_GT(rim, 90.0) << "mean brightness of the rim, three channels summed";
    EXPECT_GT(rim, 3.0 * centre);
}

TEST_F(TunnelFramesTest, OverlaysAddOnlyOnTheLeftHalf) {
    scene.tunnelPosition = 20.0f;
    setOverlayStrength("0");
    const Frame without = frameAt(12.0f, 0.0f);
    setOverlayStrength("1");
    const Frame with = frameAt(12.0f, 0.0f);
    const HalfDifferences differences = differingPixels(without, with);
    EXPECT_GT(differences.left, kPictureWidth * kPictureHeight / 20);
    EXPECT_EQ(differences.right, 0);
}

}  // namespace
