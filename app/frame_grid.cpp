#include "app/frame_grid.h"

#include <cmath>

float gridTime(int64_t index, double framesPerSecond) {
    return static_cast<float>(static_cast<double>(index) / framesPerSecond);
}

int64_t gridIndexOf(double t, double framesPerSecond) {
    const double frames = t * framesPerSecond;
    const double nearest = std::round(frames);
    return std::fabs(frames - nearest) <= 1e-6 ? static_cast<int64_t>(nearest) : -1;
}

int64_t gridFramesBefore(double t, double framesPerSecond) {
    int64_t frames = static_cast<int64_t>(std::ceil(t * framesPerSecond));
    while (frames > 0 && static_cast<double>(frames - 1) / framesPerSecond >= t) {
        --frames;
    }
    return frames;
}

SeekPoint seekPointAt(double t, double framesPerSecond) {
    SeekPoint point;
    const int64_t index = gridIndexOf(t, framesPerSecond);
    const int64_t before = index >= 0 ? index : gridFramesBefore(t, framesPerSecond);
    point.timesBefore.reserve(static_cast<size_t>(before));
    for (int64_t m = 0; m < before; ++m) {
        point.timesBefore.push_back(gridTime(m, framesPerSecond));
    }
    point.frameTime = index >= 0 ? gridTime(index, framesPerSecond) : static_cast<float>(t);
    point.frameDuration = static_cast<float>(1.0 / framesPerSecond);
    return point;
}
