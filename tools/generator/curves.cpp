#include "tools/generator/curves.h"

#include <cstdint>
#include <iterator>

#include "tools/generator/format_writers.h"

namespace {

// The music's bar at 96 beats per minute; the tunnel scene starts on a downbeat.
constexpr float kBarSeconds = 2.5f;
constexpr float kTunnelSeconds = 40.0f;
// How far the off-beat half of each bar falls below its downbeat.
constexpr float kOffBeatShare = 0.6f;

// The slow shape the bar pulses ride on.
constexpr CurvePoint kTunnelSwells[] = {
    {0.0f, 0.0f},                    // the cross-fade from the laboratory
    {3.0f, 0.2f},                    // the tube alone on screen
    {10.0f, 0.6f},                   // first swell with the driving hats
    {15.0f, 0.35f},                  // falls back before the lead
    {20.0f, 0.5f},                   // the lead enters
    {27.5f, 0.9f},                   // the section's peak
    {31.0f, 0.7f},  {33.5f, 0.95f},  // last push before the breakdown
    {35.0f, 0.3f},                   // the breakdown empties the mix
    {38.0f, 0.05f}, {kTunnelSeconds, 0.0f},
};

// The wireframe's two appearances: where it starts rising, how long it stays, its level.
struct WireAppearance {
    float start;   // seconds, on a downbeat
    int32_t bars;  // of full strength, after a bar of rising; a bar of falling follows
    float level;
};

constexpr WireAppearance kWireAppearances[] = {
    {15.0f, 3, 0.45f},  // past the window, the sculpture behind it
    {62.5f, 4, 0.6f},   // round the glowing slinky
};
// How far each downbeat lifts the wireframe above its level, falling back within half a bar.
constexpr float kWireAccent = 0.2f;
constexpr float kWireSeconds = 80.0f;

void appendAppearance(const WireAppearance& wire, std::vector<CurvePoint>& points) {
    points.push_back({wire.start, 0.0f});
    float t = wire.start + kBarSeconds;
    for (int32_t bar = 0; bar < wire.bars; ++bar, t += kBarSeconds) {
        points.push_back({t, wire.level + kWireAccent});
        points.push_back({t + 0.5f * kBarSeconds, wire.level});
    }
    points.push_back({t, wire.level});
    points.push_back({t + kBarSeconds, 0.0f});
}

template <size_t N>
float piecewiseLinear(const CurvePoint (&keys)[N], float t) {
    const CurvePoint* previous = std::begin(keys);
    for (const CurvePoint& point : keys) {
        if (t <= point.time) {
            if (point.time == previous->time) {
                return point.value;
            }
            const float s = (t - previous->time) / (point.time - previous->time);
            return previous->value + s * (point.value - previous->value);
        }
        previous = &point;
    }
    return previous->value;
}

bool writeCurveFile(const DataTree& tree, const char* file, const std::vector<CurvePoint>& points,
                    std::string& error) {
    std::string text;
    if (!writeCurveText(points, text, error)) {
        error = std::string(file) + ": " + error;
        return false;
    }
    return tree.writeText(file, text, error);
}

}  // namespace

std::vector<CurvePoint> tunnelOverlayCurve() {
    std::vector<CurvePoint> points;
    const int32_t halfBars = static_cast<int32_t>(2.0f * kTunnelSeconds / kBarSeconds);
    for (int32_t i = 0; i <= halfBars; ++i) {
        const float t = 0.5f * kBarSeconds * static_cast<float>(i);
        const bool downbeat = i % 2 == 0;
        points.push_back(
            {t, piecewiseLinear(kTunnelSwells, t) * (downbeat ? 1.0f : kOffBeatShare)});
    }
    return points;
}

std::vector<CurvePoint> deformWireCurve() {
    std::vector<CurvePoint> points = {{0.0f, 0.0f}};
    for (const WireAppearance& wire : kWireAppearances) {
        appendAppearance(wire, points);
    }
    points.push_back({kWireSeconds, 0.0f});
    return points;
}

bool writeCurves(const DataTree& tree, std::string& error) {
    return writeCurveFile(tree, kTunnelOverlayCurveFile, tunnelOverlayCurve(), error) &&
           writeCurveFile(tree, kDeformWireCurveFile, deformWireCurve(), error);
}
