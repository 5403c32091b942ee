// The finale rendered alone from the generated data tree: its files, the first frames, the
// flash at the hit and the closing picture.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/demo.h"
#include "app/sys/offscreen_context.h"
#include "render/projection.h"
#include "base/gl.h"
#include "resources/config_file.h"
#include "resources/texture_table.h"
#include "scenes/softface.h"
#include "tests/support/frame_probe.h"
#include "tests/support/generated_tree.h"

namespace {

class SoftfaceFramesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        enterGeneratedTree(context);
        if (HasFatalFailure()) {
            return;
        }
        scene = new ESoftface;
        scene->load();
    }
    static void TearDownTestSuite() {
        delete scene;
        leaveGeneratedTree(context);
    }

    // The scene drawn straight onto the screen at scene time t.
    static Frame frameAt(float t) {
        viewport = {0, 0, kPictureWidth, kPictureHeight};
        scene->render(t, 1.0f / 30.0f);
        context.swap();
        return context.readPixels();
    }
    static double meanDifference(const Frame& a, const Frame& b) {
        double sum = 0.0;
        for (size_t i = 0; i < a.size(); ++i) {
            sum += std::abs(static_cast<int32_t>(a[i]) - static_cast<int32_t>(b[i]));
        }
        return sum / static_cast<double>(a.size());
    }
    static double meanBrightness(const Frame& frame) {
        double sum = 0.0;
        for (const uint8_t value : frame) {
            sum += value;
        }
        return sum / static_cast<double>(frame.size());
    }
    // The blur target's pixels as GL holds them.
    static std::vector<uint8_t> blurTargetPixels() {
        const Texture& target = textureEntry(kBlurTarget);
        std::vector<uint8_t> pixels(512 * 512 * 4);
        glBindTexture(GL_TEXTURE_2D, target.name());
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    static OffscreenContext context;
    static ESoftface* scene;
};

OffscreenContext SoftfaceFramesTest::context;
ESoftface* SoftfaceFramesTest::scene = nullptr;

TEST_F(SoftfaceFramesTest, EveryFileItLoadsIsThereAndTheShapesCanMorph) {
    const Mesh& first = scene->morphMeshes[0];
    ASSERT_GT(first.parts.size(), 0u);
    for (const Mesh& shape : scene->morphMeshes) {
        ASSERT_EQ(shape.parts.size(), first.parts.size());
        for (uint32_t p = 0; p < first.parts.size(); ++p) {
            EXPECT_EQ(shape.parts[p].vertices.size(), first.parts[p].vertices.size());
        }
    }
    EXPECT_GT(first.parts[0].vertices.size(), 100u);
    EXPECT_GT(scene->envObject.working.parts.size(), 0u);
    EXPECT_GT(scene->flyPath.keys.size(), 300u);
    EXPECT_GT(scene->blurCurve.points.size(), 4u);
}

TEST_F(SoftfaceFramesTest, FramesBeforeTheStartLeaveTheBlurTargetAlone) {
    frameAt(0.5f);
    const std::vector<uint8_t> blurred = blurTargetPixels();
    frameAt(-0.05f);
    EXPECT_EQ(blurTargetPixels(), blurred);
    frameAt(2.0f);
    EXPECT_NE(blurTargetPixels(), blurred);
}

TEST_F(SoftfaceFramesTest, TheHitFlashesWhite) {
    // Inside the letterbox bars, which stay black.
    const double before = meanBrightness(frameAt(33.0f));
    const Colour hit = areaMean(frameAt(35.0f), kPictureWidth / 2, kPictureHeight / 2, 200);
    for (const double channel : hit) {
        EXPECT_GT(channel, 245.0);
    }
    EXPECT_LT(before, 180.0);
}

TEST_F(SoftfaceFramesTest, TheClosingPictureHoldsOverTheMovingSoftface) {
    const double moving = meanDifference(frameAt(45.0f), frameAt(47.0f));
    const double closing = meanDifference(frameAt(57.0f), frameAt(59.0f));
    EXPECT_LT(closing, 0.5 * moving);
}

}  // namespace
