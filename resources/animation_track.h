#pragma once
// A keyframed pose over time: position, rotation (degrees about X, Y, Z) and scale, read from
// lines "time (x y z) (x y z) (x y z)". Sampling interpolates linearly. Past the last key a
// looping track starts again (a time of n * duration gives the last key), a clamped one holds
// the last key; before the first key it holds the first key.

#include "resources/array.h"
#include "resources/string.h"
#include "resources/track_key.h"

class AnimationTrack {
public:
    bool load(const String& name);
    void loadLines(const Array<String>& lines);
    // Writes the sample at t into `current`; an empty track leaves it unchanged.
    void sample(float t);

    Array<TrackKey> keys;
    TrackKey current = {};
    float duration = 0.0f;  // seconds: the last key's time
    bool loop = true;
};

// Brings a time past the end of a looping track of `duration` seconds into (0, duration].
float wrapIntoLoop(float t, float duration);
