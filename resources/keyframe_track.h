#pragma once
// What the three keyframe tracks (Curve, CameraPath, AnimationTrack) share: keys read one a
// line, in file order, and sampled by linear interpolation between the two keys around a time.
// A Key has a `time` in seconds, and interpolate(a, b, f) gives a + f (b - a) for all of it.

#include <cstdint>

#include "base/kernel_profile.h"
#include "resources/array.h"
#include "resources/string.h"
#include "resources/text_file.h"

// What a time that no segment holds samples to (past the last key, or among keys out of
// order): the last segment's line, extended, or the last key itself.
enum class OutsideKeys { LastSegment, LastKey };

// Replaces `keys` with one key a line, each parsed by parse(line, key) from a zeroed key.
template <typename Key, typename Parse>
void readKeys(const Array<String>& lines, Array<Key>& keys, Parse parse) {
    keys.resize(0);
    keys.resize(lines.size());
    for (uint32_t i = 0; i < lines.size(); ++i) {
        parse(lines[i], keys[i]);
    }
}

// Reads the file's lines into the track (track.loadLines). False, the track then empty, when
// the file cannot be opened.
template <typename Track>
bool loadTrackFile(Track& track, const String& name) {
    Array<String> lines;
    const bool opened = readTextLines(name, lines);
    track.loadLines(lines);
    return opened;
}

// The sample of non-empty `keys` at t: the first key before it (and for a single key); else
// the first segment [key i - 1, key i] holding t, inclusive at both ends, a segment of no
// length giving its end key; else as `outside` says.
template <typename Key>
Key keyAt(const Array<Key>& keys, float t, OutsideKeys outside) {
    const KernelScope scope(Kernel::Sampling);
    const uint32_t count = keys.size();
    if (count == 1 || t < keys[0].time) {
        return keys[0];
    }
    uint32_t i = 1;
    while (i < count && !(keys[i - 1].time <= t && t <= keys[i].time)) {
        ++i;
    }
    if (i == count) {
        if (outside == OutsideKeys::LastKey) {
            return keys[count - 1];
        }
        i = count - 1;
    }
    const Key& a = keys[i - 1];
    const Key& b = keys[i];
    return b.time == a.time ? b : interpolate(a, b, (t - a.time) / (b.time - a.time));
}
