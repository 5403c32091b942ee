#include "resources/curve.h"

#include <gtest/gtest.h>

#include "tests/resources/track_test_support.h"

namespace {

Curve curveOf(const std::string& text) {
    Curve curve;
    curve.loadLines(linesOf(text));
    return curve;
}

TEST(CurveLoading, OneKeyPerLineAndTheLastKeySetsTheDuration) {
    const Curve curve = curveOf("0 1\n2 3\n4 -1.5e1\n");
    ASSERT_EQ(curve.points.size(), 3u);
    EXPECT_EQ(curve.points[2].value, -15.0f);
    EXPECT_EQ(curve.duration, 4.0f);
    EXPECT_EQ(curve.current.time, 4.0f);
    EXPECT_EQ(curve.current.value, -15.0f);
}

TEST(CurveLoading, UnparsableLinesAreZeroPoints) {
    const Curve curve = curveOf("1 2\n\nnot numbers\n3\n");
    ASSERT_EQ(curve.points.size(), 4u);
    EXPECT_EQ(curve.points[1].time, 0.0f);
    EXPECT_EQ(curve.points[2].value, 0.0f);
    EXPECT_EQ(curve.points[3].time, 3.0f);
    EXPECT_EQ(curve.points[3].value, 0.0f);
}

TEST(CurveLoading, WindowsLineEndsReadAsUnixOnes) {
    const Curve unix = curveOf("0 1\n1 2\n");
    const Curve windows = curveOf("0 1\r\n1 2\r\n");
    ASSERT_EQ(windows.points.size(), unix.points.size());
    EXPECT_EQ(windows.points[1].value, unix.points[1].value);
}

TEST(CurveSampling, InterpolatesAndHitsKeysExactly) {
    Curve curve = curveOf("0 0\n1 10\n3 30\n");
    EXPECT_FLOAT_EQ(curve.valueAt(0.5f), 5.0f);
    EXPECT_FLOAT_EQ(curve.valueAt(2.0f), 20.0f);
    EXPECT_EQ(curve.valueAt(0.0f), 0.0f);
    EXPECT_EQ(curve.valueAt(1.0f), 10.0f);
    EXPECT_EQ(curve.valueAt(3.0f), 30.0f);
    EXPECT_FLOAT_EQ(curve.current.time, 3.0f);
}

TEST(CurveSampling, ClampsAtBothEnds) {
    Curve curve = curveOf("1 10\n3 30\n");
    EXPECT_EQ(curve.valueAt(7.0f), 30.0f);
    EXPECT_EQ(curve.valueAt(0.5f), 10.0f);   // before the first point: its value
    EXPECT_EQ(curve.valueAt(-0.1f), 10.0f);  // not an extrapolation
}

TEST(CurveSampling, SingleEmptyAndZeroLengthCases) {
    Curve single = curveOf("2 7\n");
    EXPECT_EQ(single.valueAt(0.0f), 7.0f);
    EXPECT_EQ(single.valueAt(5.0f), 7.0f);
    Curve empty = curveOf("");
    EXPECT_EQ(empty.valueAt(1.0f), 0.0f);
    EXPECT_EQ(empty.duration, 0.0f);
    Curve step = curveOf("0 0\n1 5\n1 9\n2 9\n");
    EXPECT_EQ(step.valueAt(1.0f), 5.0f);  // the first segment ending at 1
    Curve zero = curveOf("1 5\n1 9\n");
    EXPECT_EQ(zero.valueAt(1.0f), 9.0f);  // a zero-length segment gives its end
}

TEST(CurveSampling, MissingFileLeavesAnEmptyCurve) {
    Curve curve;
    EXPECT_FALSE(curve.load("Curves/no-such-file.txt"));
    EXPECT_TRUE(curve.points.empty());
    EXPECT_EQ(curve.valueAt(1.0f), 0.0f);
}

}  // namespace
