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

// The curve's value at t, as the demo's linear sampling reads it.
float valueAt(const std::vector<CurvePoint>& points, float t) {
    for (size_t i = 1; i < points.size(); ++i) {
        if (t <= points[i].time) {
            const CurvePoint& a = points[i - 1];
            const CurvePoint& b = points[i];
            return a.value + (t - a.time) / (b.time - a.time) * (b.value - a.value);
        }
    }
    return points.back().value;
}

TEST(DeformWireCurve, ShowsOnlyPastTheWindowAndRoundTheSlinky) {
    const std::vector<CurvePoint> points = deformWireCurve();
    ASSERT_GE(points.size(), 2u);
    EXPECT_EQ(points.front().time, 0.0f);
    EXPECT_EQ(points.back().time, 80.0f);
    for (size_t i = 1; i < points.size(); ++i) {
        EXPECT_GT(points[i].time, points[i - 1].time);
        EXPECT_GE(points[i].value, 0.0f);
        EXPECT_LE(points[i].value, 1.0f);
    }
    // Zero most of the time: hidden for well over half of the tour.
    int32_t hidden = 0;
    for (int32_t tenth = 0; tenth < 800; ++tenth) {
        hidden += valueAt(points, 0.1f * static_cast<float>(tenth)) <= 0.0f;
    }
    EXPECT_GT(hidden, 500);
    for (const float window : {18.0f, 21.0f, 24.0f}) {
        EXPECT_GT(valueAt(points, window), 0.3f) << window;
    }
    for (const float slinky : {66.0f, 70.0f, 74.0f}) {
        EXPECT_GT(valueAt(points, slinky), 0.3f) << slinky;
    }
    for (const float between : {5.0f, 35.0f, 45.0f, 55.0f, 79.0f}) {
        EXPECT_EQ(valueAt(points, between), 0.0f) << between;
    }
}

TEST(SoftfaceBlurCurve, CoversTheSceneAndNeverGoesNegative) {
    const std::vector<CurvePoint> points = softfaceBlurCurve();
    ASSERT_GE(points.size(), 2u);
    EXPECT_EQ(points.front().time, 0.0f);
    EXPECT_EQ(points.back().time, 60.0f);
    for (size_t i = 1; i < points.size(); ++i) {
        EXPECT_GT(points[i].time, points[i - 1].time);
        EXPECT_GE(points[i].value, 0.0f) << "at " << points[i].time << " s";
        EXPECT_LE(points[i].value, 1.0f) << "at " << points[i].time << " s";
    }
}

// Strong as the breakdown opens, then a low base that each bar of the build lifts for a moment
// (the bar at 12.5 s by the act change a beat later).
TEST(SoftfaceBlurCurve, OpensStrongThenPulsesOnTheBuildsBars) {
    const std::vector<CurvePoint> points = softfaceBlurCurve();
    EXPECT_GE(valueAt(points, 0.0f), 0.5f);
    EXPECT_LE(valueAt(points, 0.0f), 0.7f);
    EXPECT_LT(valueAt(points, 3.0f), 0.5f * valueAt(points, 0.0f));
    EXPECT_LT(valueAt(points, 6.0f), 0.1f);
    for (float bar = 10.0f; bar < 30.0f; bar += 2.5f) {
        const float base = valueAt(points, bar - 0.1f);
        EXPECT_GE(base, 0.02f) << bar;
        EXPECT_LE(base, 0.08f) << bar;
        EXPECT_GT(peakBetween(points, bar, bar + 0.35f), base + 0.05f) << bar;
    }
}

TEST(SoftfaceBlurCurve, PeaksAtTheActChangesAndRisesThroughTheRoll) {
    const std::vector<CurvePoint> points = softfaceBlurCurve();
    EXPECT_GT(peakBetween(points, 12.75f, 13.0f), 0.4f);
    EXPECT_GT(peakBetween(points, 35.0f, 35.3f), 0.4f);
    // Both stand out from the bars either side of them, and die away within two seconds.
    EXPECT_LT(peakBetween(points, 14.6f, 30.0f), 0.25f);
    EXPECT_LT(peakBetween(points, 37.0f, 55.0f), 0.25f);
    EXPECT_GT(peakBetween(points, 37.5f, 37.8f), 0.1f);
    EXPECT_LT(valueAt(points, 14.5f), 0.1f);
    EXPECT_LT(valueAt(points, 37.2f), 0.1f);
    // A pulse on every beat of the roll, each above the one before.
    float previous = 0.0f;
    for (float beat = 30.0f; beat < 35.0f; beat += 0.625f) {
        const float peak = peakBetween(points, beat, beat + 0.2f);
        EXPECT_GT(peak, previous) << beat;
        previous = peak;
    }
}

TEST(SoftfaceBlurCurve, IsExactlyZeroUnderTheClosingPicture) {
    const std::vector<CurvePoint> points = softfaceBlurCurve();
    for (const CurvePoint& point : points) {
        if (point.time >= 55.0f) {
            EXPECT_EQ(point.value, 0.0f) << "at " << point.time << " s";
        }
    }
    for (int32_t tenth = 550; tenth <= 600; ++tenth) {
        EXPECT_EQ(valueAt(points, 0.1f * static_cast<float>(tenth)), 0.0f);
    }
}

}  // namespace
