#include "tools/generator/curves.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

float peakBetween(const std::vector<CurvePoint>& points, float from, float to) {
    float peak = 0.0f;
    for (const CurvePoint& point : points) {
        if (point.time >= from && point.time < to) {
            peak = std::max(peak, point.value);
        }
    }
    return peak;
}

TEST(TunnelOverlayCurve, CoversTheSceneAndStartsAndEndsDark) {
    const std::vector<CurvePoint> points = tunnelOverlayCurve();
    ASSERT_GE(points.size(), 2u);
    EXPECT_EQ(points.front().time, 0.0f);
    EXPECT_EQ(points.back().time, 40.0f);
    EXPECT_EQ(points.front().value, 0.0f);
    EXPECT_EQ(points.back().value, 0.0f);
    for (size_t i = 1; i < points.size(); ++i) {
        EXPECT_GT(points[i].time, points[i - 1].time);
        EXPECT_GE(points[i].value, 0.0f);
        EXPECT_LE(points[i].value, 1.0f);
    }
}

TEST(TunnelOverlayCurve, PulsesOnEveryBarAndSwellsWithTheLead) {
    const std::vector<CurvePoint> points = tunnelOverlayCurve();
    // Away from the silent ends, every key differs from the next: never a flat line.
    for (size_t i = 1; i + 1 < points.size(); ++i) {
        EXPECT_NE(points[i].value, points[i + 1].value) << "at " << points[i].time << " s";
    }
    // Keys fall every half bar; each downbeat stands above the off-beat after it while the
    // tube shows.
    for (size_t i = 2; i + 1 < points.size() && points[i].time < 35.0f; i += 2) {
        EXPECT_GT(points[i].value, points[i + 1].value) << "at " << points[i].time << " s";
    }
    EXPECT_GT(peakBetween(points, 20.0f, 35.0f), peakBetween(points, 0.0f, 20.0f));
    EXPECT_LT(peakBetween(points, 36.0f, 40.1f), 0.5f * peakBetween(points, 20.0f, 35.0f));
}

}  // namespace
