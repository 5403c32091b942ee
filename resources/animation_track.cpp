#include "resources/animation_track.h"

#include <cmath>

#include "resources/keyframe_track.h"

bool AnimationTrack::load(const String& name) {
    return loadTrackFile(*this, name);
}

void AnimationTrack::loadLines(const Array<String>& lines) {
    readKeys(lines, keys, parseTrackKey);
    if (keys.empty()) {
        duration = 0.0f;
        return;
    }
    current = keys[keys.size() - 1];
    duration = current.time;
}

float wrapIntoLoop(float t, float duration) {
    // NOTE: subtracting once per loop would never end for a huge t (t - duration == t in
    // single precision); far past the end the exact remainder takes its place.
    if (t / duration > 1024.0f) {
        const float remainder = std::fmod(t, duration);
        return remainder > 0.0f ? remainder : duration;
    }
    while (t > duration) {
        t -= duration;
    }
    return t > 0.0f ? t : duration;
}

void AnimationTrack::sample(float t) {
    const uint32_t count = keys.size();
    if (count == 0) {
        return;
    }
    if (t > duration) {
        if (!loop || duration <= 0.0f || !std::isfinite(t)) {
            current = keys[count - 1];
            return;
        }
        t = wrapIntoLoop(t, duration);
    }
    current = keyAt(keys, t, OutsideKeys::LastSegment);
}
