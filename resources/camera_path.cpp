#include "resources/camera_path.h"

#include <bit>
#include <cstdint>

#include "base/kernel_profile.h"
#include "resources/text_file.h"

float fastInverseSquareRoot(float s) {
    const int32_t n = std::bit_cast<int32_t>(s);
    float y = std::bit_cast<float>(0x5F3759DF - (n >> 1));
    y = y * (1.5f - 0.5f * s * y * y);
    return y;
}

bool CameraPath::load(const String& name) {
    Array<String> lines;
    const bool opened = readTextLines(name, lines);
    loadLines(lines);
    return opened;
}

void CameraPath::loadLines(const Array<String>& lines) {
    keys.resize(0);
    keys.resize(lines.size());
    for (uint32_t i = 0; i < lines.size(); ++i) {
        TrackKey& key = keys[i];
        parseTrackKey(lines[i], key);
        Vector3& u = key.third;
        const float scale = fastInverseSquareRoot(u.x * u.x + u.y * u.y + u.z * u.z);
        u = {u.x * scale, u.y * scale, u.z * scale};
    }
}

CameraView CameraPath::viewAt(float t) const {
    const KernelScope scope(Kernel::Sampling);
    const uint32_t count = keys.size();
    if (count == 0) {
        return {eye, target, up};
    }
    // NOTE: before the first key the camera waits at it; a scene rendered a moment before its
    // start would otherwise flash its final shot.
    const TrackKey* a = &keys[count - 1];
    const TrackKey* b = a;
    if (t < keys[0].time) {
        a = b = &keys[0];
    } else {
        for (uint32_t i = 0; i + 1 < count; ++i) {
            if (keys[i].time <= t && t <= keys[i + 1].time) {
                a = &keys[i];
                b = &keys[i + 1];
                break;
            }
        }
    }
    const TrackKey sampled =
        b->time == a->time ? *b : interpolate(*a, *b, segmentFraction(a->time, b->time, t));
    return {sampled.first, sampled.second, sampled.third};
}

void CameraPath::sample(float t) {
    const CameraView view = viewAt(t);
    eye = view.eye;
    target = view.target;
    up = view.up;
}
