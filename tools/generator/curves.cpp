#include "tools/generator/curves.h"

#include "resources/data_manifest.h"

#include <algorithm>
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

// The finale's blur without its pulses.
constexpr CurvePoint kBlurBase[] = {
    {0.0f, 0.6f},   {1.0f, 0.42f},  {2.0f, 0.28f}, {3.5f, 0.14f}, {5.0f, 0.07f},  // the breakdown
    {10.0f, 0.04f}, {30.0f, 0.06f},                                               // the build
    {34.9f, 0.1f},  {35.0f, 0.05f},                                               // the snare roll
    {52.5f, 0.04f}, {54.5f, 0.0f},  {60.0f, 0.0f},                                // the finale
};

// A pulse added to the base: it rises within a few hundredths of a second of `start` and dies
// away over `seconds`.
struct BlurPulse {
    float start;    // seconds
    float height;   // added to the base at the peak
    float seconds;  // from start to nothing
};

// The pulse's shape over its length (fractions of its time and of its height).
constexpr CurvePoint kPulseShape[] = {
    {0.0f, 0.0f}, {0.04f, 1.0f}, {0.2f, 0.55f}, {0.45f, 0.25f}, {1.0f, 0.0f},
};

// The finale's sections, seconds of its scene time.
constexpr float kBuildStart = 10.0f;
constexpr float kActChange = 12.75f;  // the cube cloud gives way to the metaballs
constexpr float kRollStart = 30.0f;
constexpr int32_t kRollBeats = 8;  // one pulse a beat, a quarter of a bar
constexpr float kHit = 35.0f;
constexpr float kLastPulsedBar = 52.5f;

std::vector<BlurPulse> blurPulses() {
    std::vector<BlurPulse> pulses;
    for (float t = kBuildStart; t < kRollStart; t += kBarSeconds) {
        // NOTE: the bar at 12.5 s gives way to the act change a beat later.
        if (t != kActChange - 0.25f) {
            pulses.push_back({t, 0.1f, 0.8f});
        }
    }
    pulses.push_back({kActChange, 0.45f, 1.5f});
    for (int32_t beat = 0; beat < kRollBeats; ++beat) {
        const float rise = static_cast<float>(beat) / static_cast<float>(kRollBeats - 1);
        pulses.push_back({kRollStart + 0.25f * kBarSeconds * static_cast<float>(beat),
                          0.08f + 0.22f * rise, 0.5f});
    }
    pulses.push_back({kHit, 0.45f, 2.0f});
    for (float t = kHit + kBarSeconds; t <= kLastPulsedBar; t += kBarSeconds) {
        pulses.push_back({t, 0.12f, 0.8f});
    }
    return pulses;
}

float pulseAt(const BlurPulse& pulse, float t) {
    if (t <= pulse.start || t >= pulse.start + pulse.seconds) {
        return 0.0f;
    }
    return pulse.height * piecewiseLinear(kPulseShape, (t - pulse.start) / pulse.seconds);
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

// The base plus every pulse, with a point on every corner of either, so the demo's linear
// sampling between the points gives the sum everywhere.
std::vector<CurvePoint> softfaceBlurCurve() {
    const std::vector<BlurPulse> pulses = blurPulses();
    std::vector<float> times;
    for (const CurvePoint& point : kBlurBase) {
        times.push_back(point.time);
    }
    for (const BlurPulse& pulse : pulses) {
        for (const CurvePoint& corner : kPulseShape) {
            times.push_back(pulse.start + corner.time * pulse.seconds);
        }
    }
    std::sort(times.begin(), times.end());
    times.erase(std::unique(times.begin(), times.end()), times.end());
    std::vector<CurvePoint> points;
    for (const float t : times) {
        float value = piecewiseLinear(kBlurBase, t);
        for (const BlurPulse& pulse : pulses) {
            value += pulseAt(pulse, t);
        }
        points.push_back({t, value});
    }
    return points;
}

bool writeCurves(const DataTree& tree, std::string& error) {
    return writeCurveFile(tree, kTunnelCurve.name, tunnelOverlayCurve(), error) &&
           writeCurveFile(tree, kDeformWireCurve.name, deformWireCurve(), error) &&
           writeCurveFile(tree, kSoftfaceBlurCurve.name, softfaceBlurCurve(), error);
}
