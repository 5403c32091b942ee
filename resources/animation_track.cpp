#include "resources/animation_track.h"

#include <cmath>

#include "base/kernel_profile.h"
#include "resources/text_file.h"

bool AnimationTrack::load(const String& name) {
    Array<String> lines;
    const bool opened = readTextLines(name, lines);
    loadLines(lines);
    return opened;
}

void AnimationTrack::loadLines(const Array<String>& lines) {
    keys.resize(0);
    keys.resize(lines.size());
    for (uint32_t i = 0; i < lines.size(); ++i) {
        parseTrackKey(lines[i], keys[i]);
    }
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
    const KernelScope scope(Kernel::Sampling);
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
    if (count == 1) {
        current = keys[0];
        return;
    }
    if (t < keys[0].time) {
        current = keys[0];
        return;
    }
    uint32_t i = 1;
    while (i < count && !(keys[i - 1].time <= t && t <= keys[i].time)) {
        ++i;
    }
    if (i == count) {
        i = count - 1;
    }
    const TrackKey& a = keys[i - 1];
    const TrackKey& b = keys[i];
    current = b.time == a.time ? b : interpolate(a, b, segmentFraction(a.time, b.time, t));
}
