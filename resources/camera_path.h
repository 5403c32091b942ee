#pragma once
// A camera over time: eye, look-at target and up vector, read from lines
// "time (x y z) (x y z) (x y z)"; each key's up vector is normalised on load with the fast
// inverse square root (relative error below 0.2 %). Sampling interpolates linearly without
// renormalising; before the first key it gives the first key, after the last the last.

#include "resources/array.h"
#include "resources/string.h"
#include "resources/track_key.h"

// Where the camera is and where it looks, for gluLookAt.
struct CameraView {
    Vector3 eye;
    Vector3 target;
    Vector3 up;
};

class CameraPath {
public:
    bool load(const String& name);
    void loadLines(const Array<String>& lines);
    // The sample at t; an empty path gives eye, target and up as they stand.
    CameraView viewAt(float t) const;
    // Writes the sample at t into eye, target and up; an empty path leaves them unchanged.
    void sample(float t);

    Array<TrackKey> keys;
    Vector3 eye = {0.0f, 0.0f, 0.0f};
    Vector3 target = {0.0f, 0.0f, 0.0f};
    Vector3 up = {0.0f, 0.0f, 0.0f};
};
