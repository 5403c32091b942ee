#include "tools/generator/camera_views.h"

#include <cstdint>

#include "tools/generator/mesh_builder.h"
#include "tools/generator/portable_math.h"

namespace {

Vector3 eyeOf(const CameraView& view) {
    return view.eye;
}

Vector3 targetOf(const CameraView& view) {
    return view.target;
}

float rollOf(const CameraView& view) {
    return view.rollDegrees;
}

// The velocity through view i (units per second): the central difference, one-sided at the ends;
// none at a view where the camera rests.
template <typename Value>
Value velocityAt(std::span<const CameraView> views, size_t i, Value (*part)(const CameraView&)) {
    if (views[i].rests) {
        return part(views[i]) * 0.0f;
    }
    const size_t before = i > 0 ? i - 1 : i;
    const size_t after = i + 1 < views.size() ? i + 1 : i;
    const CameraView& a = views[before];
    const CameraView& b = views[after];
    return (part(b) - part(a)) * (1.0f / (b.time - a.time));
}

// Cubic Hermite between views i and i + 1 at fraction f.
template <typename Value>
Value hermiteAt(std::span<const CameraView> views, size_t i, float f,
                Value (*part)(const CameraView&)) {
    const CameraView& a = views[i];
    const CameraView& b = views[i + 1];
    const float span = b.time - a.time;
    const float f2 = f * f, f3 = f2 * f;
    const float h00 = 2 * f3 - 3 * f2 + 1, h10 = f3 - 2 * f2 + f;
    const float h01 = -2 * f3 + 3 * f2, h11 = f3 - f2;
    return part(a) * h00 + velocityAt(views, i, part) * (h10 * span) + part(b) * h01 +
           velocityAt(views, i + 1, part) * (h11 * span);
}

// World +y tilted towards the camera's right by the roll; no roll leaves it exactly +y.
Vector3 rolledUp(Vector3 eye, Vector3 target, float rollDegrees) {
    const Vector3 up = {0, 1, 0};
    const Vector3 right = normalised(cross(target - eye, up));
    const float turns = rollDegrees / 360.0f;
    return up * static_cast<float>(cosTurns(turns)) + right * static_cast<float>(sinTurns(turns));
}

TrackKey keyAt(std::span<const CameraView> views, float t) {
    size_t i = 0;
    while (i + 2 < views.size() && t > views[i + 1].time) {
        ++i;
    }
    const float f = (t - views[i].time) / (views[i + 1].time - views[i].time);
    const Vector3 eye = hermiteAt(views, i, f, eyeOf);
    const Vector3 target = hermiteAt(views, i, f, targetOf);
    return {t, eye, target, rolledUp(eye, target, hermiteAt(views, i, f, rollOf))};
}

}  // namespace

std::vector<TrackKey> cameraPathThrough(std::span<const CameraView> views, float keySeconds) {
    std::vector<TrackKey> keys;
    if (views.size() < 2) {
        return keys;
    }
    const float first = views.front().time;
    const int32_t count = static_cast<int32_t>((views.back().time - first) / keySeconds + 0.5f);
    for (int32_t k = 0; k <= count; ++k) {
        keys.push_back(keyAt(views, first + keySeconds * static_cast<float>(k)));
    }
    return keys;
}
