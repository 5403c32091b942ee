#include "resources/curve.h"

#include <cstdio>

#include "base/kernel_profile.h"
#include "resources/text_file.h"

bool Curve::load(const String& name) {
    Array<String> lines;
    const bool opened = readTextLines(name, lines);
    loadLines(lines);
    return opened;
}

void Curve::loadLines(const Array<String>& lines) {
    points.resize(0);
    points.resize(lines.size());
    for (uint32_t i = 0; i < lines.size(); ++i) {
        std::sscanf(lines[i].c_str(), "%f %f", &points[i].time, &points[i].value);
    }
    if (points.empty()) {
        duration = 0.0f;
        return;
    }
    current = points[points.size() - 1];
    duration = current.time;
}

CurvePoint Curve::pointAt(float t) const {
    const KernelScope scope(Kernel::Sampling);
    const uint32_t count = points.size();
    if (count == 0) {
        return current;
    }
    if (t > duration || count == 1) {
        return points[count - 1];
    }
    if (t < points[0].time) {
        return points[0];
    }
    uint32_t i = 1;
    while (i < count && !(points[i - 1].time <= t && t <= points[i].time)) {
        ++i;
    }
    if (i == count) {
        i = count - 1;
    }
    const CurvePoint& a = points[i - 1];
    const CurvePoint& b = points[i];
    if (b.time == a.time) {
        return b;  // a zero-length segment gives its end
    }
    const float f = (t - a.time) / (b.time - a.time);
    return {a.time + f * (b.time - a.time), a.value + f * (b.value - a.value)};
}
