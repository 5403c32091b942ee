#pragma once
// Camera paths authored as a few hand-placed views. The camera passes through every view at its
// time on cubic Hermite curves whose velocity at a view is the central difference of its two
// neighbours (one-sided at the ends), so it glides through the views without jerking, stopping
// only at a view marked as a rest. The path is written as dense keys that the demo's linear
// sampling follows without visible corners. Times in seconds, positions in world units, roll
// in degrees.

#include <span>
#include <vector>

#include "resources/track_key.h"

struct CameraView {
    float time;  // seconds
    Vector3 eye;
    Vector3 target;
    // The camera's turn about its line of sight: positive tilts its up towards its right, so
    // the picture turns counter-clockwise; 0 keeps the world's +y up.
    float rollDegrees = 0.0f;
    // The camera comes to rest at this view: eye, target and roll have no velocity there.
    bool rests = false;
};

// Keys every `keySeconds` from the first view's time to the last's; each key holds the eye, the
// target and the up vector. Needs at least two views in increasing time.
std::vector<TrackKey> cameraPathThrough(std::span<const CameraView> views, float keySeconds);
