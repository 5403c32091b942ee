#include "resources/camera_path.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/fast_math.h"
#include "tests/resources/track_test_support.h"

namespace {

CameraPath pathOf(const std::string& text) {
    CameraPath path;
    path.loadLines(linesOf(text));
    return path;
}

const char* const kPath =
    "0 (0 0 0) (0 0 -1) (0 2 0)\n"
    "2 (10 0 0) (10 0 -1) (0 2 0)\n"
    "4 (10 10 0) (10 10 -1) (2 0 0)\n";

TEST(CameraLoading, UpVectorsAreNormalisedWithinTwoPerMille) {
    const CameraPath path = pathOf(kPath);
    EXPECT_NEAR(path.keys[0].third.y, 1.0f, 0.002f);
    EXPECT_EQ(path.keys[0].third.x, 0.0f);
    for (const float s : {0.01f, 1.0f, 4.0f, 123.0f, 1.0e6f}) {
        const float exact = 1.0f / std::sqrt(s);
        EXPECT_NEAR(fastInverseSquareRoot(s) / exact, 1.0f, 0.002f) << s;
    }
    const CameraPath zero = pathOf("0 (0 0 0) (0 0 0) (0 0 0)\n");
    EXPECT_EQ(zero.keys[0].third.x, 0.0f);
    EXPECT_EQ(zero.keys[0].third.y, 0.0f);
}

TEST(CameraLoading, TabSeparatedLinesParseToo) {
    const CameraPath path = pathOf("1\t(1\t2\t3)\t(4\t5\t6)\t(0\t0\t3)\r\n");
    ASSERT_EQ(path.keys.size(), 1u);
    EXPECT_EQ(path.keys[0].second.z, 6.0f);
    EXPECT_NEAR(path.keys[0].third.z, 1.0f, 0.002f);
}

TEST(CameraSampling, InterpolatesWithoutRenormalising) {
    CameraPath path = pathOf(kPath);
    path.sample(1.0f);
    EXPECT_FLOAT_EQ(path.eye.x, 5.0f);
    EXPECT_FLOAT_EQ(path.target.z, -1.0f);
    path.sample(3.0f);
    // Half way between (0 1 0) and (1 0 0): length 0.707, left as it is.
    EXPECT_NEAR(path.up.x, 0.5f, 0.002f);
    EXPECT_NEAR(path.up.y, 0.5f, 0.002f);
}

TEST(CameraSampling, ExactKeysAndBothEnds) {
    CameraPath path = pathOf(kPath);
    path.sample(2.0f);
    EXPECT_EQ(path.eye.x, 10.0f);
    EXPECT_EQ(path.eye.y, 0.0f);
    path.sample(9.0f);  // after the last key: the last key
    EXPECT_EQ(path.eye.y, 10.0f);
    path.sample(-0.1f);  // before the first key: the first key, not a jump to the end
    EXPECT_EQ(path.eye.x, 0.0f);
    EXPECT_EQ(path.eye.y, 0.0f);
}

TEST(CameraSampling, EmptyPathLeavesTheCameraAlone) {
    CameraPath path;
    path.eye = {1.0f, 2.0f, 3.0f};
    path.sample(1.0f);
    EXPECT_EQ(path.eye.y, 2.0f);
    EXPECT_FALSE(path.load("Cameras/missing.txt"));
}

}  // namespace
