#include "resources/curve.h"

#include <cstdio>

#include "resources/keyframe_track.h"

namespace {

void parsePoint(const String& line, CurvePoint& point) {
    std::sscanf(line.c_str(), "%f %f", &point.time, &point.value);
}

}  // namespace

CurvePoint interpolate(const CurvePoint& a, const CurvePoint& b, float f) {
    return {a.time + f * (b.time - a.time), a.value + f * (b.value - a.value)};
}

bool Curve::load(const String& name) {
    return loadTrackFile(*this, name);
}

void Curve::loadLines(const Array<String>& lines) {
    readKeys(lines, points, parsePoint);
    if (points.empty()) {
        duration = 0.0f;
        return;
    }
    current = points[points.size() - 1];
    duration = current.time;
}

CurvePoint Curve::pointAt(float t) const {
    const uint32_t count = points.size();
    if (count == 0) {
        return current;
    }
    if (t > duration) {
        return points[count - 1];
    }
    return keyAt(points, t, OutsideKeys::LastSegment);
}
