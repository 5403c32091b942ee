#include "resources/camera_path.h"

#include <cstdint>

#include "base/fast_math.h"
#include "resources/keyframe_track.h"

bool CameraPath::load(const String& name) {
    return loadTrackFile(*this, name);
}

void CameraPath::loadLines(const Array<String>& lines) {
    readKeys(lines, keys, parseTrackKey);
    for (TrackKey& key : keys) {
        Vector3& u = key.third;
        const float scale = fastInverseSquareRoot(u.x * u.x + u.y * u.y + u.z * u.z);
        u = {u.x * scale, u.y * scale, u.z * scale};
    }
}

// NOTE: before the first key the camera waits at it; a scene rendered a moment before its
// start would otherwise flash its final shot.
CameraView CameraPath::viewAt(float t) const {
    if (keys.empty()) {
        return {eye, target, up};
    }
    const TrackKey sampled = keyAt(keys, t, OutsideKeys::LastKey);
    return {sampled.first, sampled.second, sampled.third};
}

void CameraPath::sample(float t) {
    const CameraView view = viewAt(t);
    eye = view.eye;
    target = view.target;
    up = view.up;
}
