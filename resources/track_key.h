#pragma once
// The key of the camera paths and animation tracks: a time and three 3-component vectors,
// read from a line holding a time and three parenthesised triples. Blanks and tabs match any
// run of white space; fields a line cannot fill stay zero.

#include "base/geometry.h"
#include "resources/string.h"

struct TrackKey {
    float time;      // seconds
    Vector3 first;   // camera: eye;    animation: position
    Vector3 second;  // camera: target; animation: rotation, degrees about X, Y, Z
    Vector3 third;   // camera: up;     animation: scale
};

// Parses "t (x y z) (x y z) (x y z)"; whatever does not parse stays as it was in `key`.
void parseTrackKey(const String& line, TrackKey& key);

// a + f (b - a) for the time and every component.
TrackKey interpolate(const TrackKey& a, const TrackKey& b, float f);

// The segment fraction of t between a and b: (t - a.time) / (b.time - a.time).
float segmentFraction(float aTime, float bTime, float t);
