#include "tools/generator/curves.h"

#include <cstdint>
#include <iterator>
#include <span>

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

float swellAt(float t) {
    const CurvePoint* previous = std::begin(kTunnelSwells);
    for (const CurvePoint& point : kTunnelSwells) {
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
    const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(text.data()),
                                         text.size());
    return tree.write(file, bytes, error);
}

}  // namespace

std::vector<CurvePoint> tunnelOverlayCurve() {
    std::vector<CurvePoint> points;
    const int32_t halfBars = static_cast<int32_t>(2.0f * kTunnelSeconds / kBarSeconds);
    for (int32_t i = 0; i <= halfBars; ++i) {
        const float t = 0.5f * kBarSeconds * static_cast<float>(i);
        const bool downbeat = i % 2 == 0;
        points.push_back({t, swellAt(t) * (downbeat ? 1.0f : kOffBeatShare)});
    }
    return points;
}

bool writeCurves(const DataTree& tree, std::string& error) {
    return writeCurveFile(tree, kTunnelOverlayCurveFile, tunnelOverlayCurve(), error);
}
