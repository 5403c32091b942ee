#include "tools/capture/frame_plan.h"

#include <algorithm>
#include <cmath>

#include "app/frame_grid.h"
#include "app/timeline.h"

namespace {

double subFramesPerSecond(const FramePlan& plan) {
    return plan.framesPerSecond * plan.shutter;
}

// Frames of the range that start before `to` and end before the demo's end, which presents
// no frame from kDemoEnd on; rounding never lets a frame land at or after either.
int64_t framesBefore(const FramePlan& plan, double to) {
    const double end = std::min(to, static_cast<double>(kDemoEnd));
    int64_t count =
        static_cast<int64_t>(std::ceil((end - plan.from) * plan.framesPerSecond - 1e-9));
    count = std::max<int64_t>(count, 0);
    const auto outside = [&](int64_t index) {
        return frameTime(plan, index) >= static_cast<float>(end) ||
               subFrameTime(plan, index, plan.shutter - 1) >= kDemoEnd;
    };
    while (count > 0 && outside(count - 1)) {
        --count;
    }
    return count;
}

}  // namespace

std::optional<FramePlan> planFrames(const CaptureOptions& options, std::string& error) {
    FramePlan plan = {};
    plan.framesPerSecond = options.framesPerSecond;
    plan.shutter = options.shutter;
    plan.from = options.from;
    plan.gridStart = gridIndexOf(options.from, options.framesPerSecond);
    plan.rangeFrames = options.singleFrame ? 1 : framesBefore(plan, options.to);
    const SpanBounds span = spanBounds(plan.rangeFrames, options.spanIndex, options.spanCount);
    plan.first = span.first;
    plan.count = span.count;
    if (plan.count == 0) {
        error = "span " + std::to_string(options.spanIndex) + "/" +
                std::to_string(options.spanCount) + " holds no frame: the range has " +
                std::to_string(plan.rangeFrames) + " frames";
        return std::nullopt;
    }
    return plan;
}

float subFrameTime(const FramePlan& plan, int64_t index, int32_t sub) {
    if (plan.gridStart >= 0) {
        return gridTime((plan.gridStart + index) * plan.shutter + sub, subFramesPerSecond(plan));
    }
    const int64_t subIndex = index * plan.shutter + sub;
    return static_cast<float>(plan.from + static_cast<double>(subIndex) / subFramesPerSecond(plan));
}

float frameTime(const FramePlan& plan, int64_t index) {
    return subFrameTime(plan, index, 0);
}

float frameDuration(const FramePlan& plan) {
    return static_cast<float>(1.0 / subFramesPerSecond(plan));
}

SpanBounds spanBounds(int64_t frames, int64_t index, int64_t count) {
    // NOTE: frames * index stays far below 2^63: at most 1.9 million frames and a million spans.
    const int64_t first = frames * (index - 1) / count;
    const int64_t end = frames * index / count;
    return {first, end - first};
}

std::vector<float> timesBefore(const FramePlan& plan) {
    const double rate = subFramesPerSecond(plan);
    const int64_t gridFrames =
        plan.gridStart >= 0 ? plan.gridStart * plan.shutter : gridFramesBefore(plan.from, rate);
    std::vector<float> times;
    times.reserve(static_cast<size_t>(gridFrames + plan.first * plan.shutter));
    for (int64_t m = 0; m < gridFrames; ++m) {
        times.push_back(gridTime(m, rate));
    }
    for (int64_t n = 0; n < plan.first; ++n) {
        for (int32_t sub = 0; sub < plan.shutter; ++sub) {
            times.push_back(subFrameTime(plan, n, sub));
        }
    }
    return times;
}
