#pragma once
// A scalar over time, read from lines "time value" (seconds, value), keys in ascending time.
// Sampling interpolates linearly; before the first point it gives the first value, after the
// last point the last one. Every line of the file is a point; one that does not parse is a
// zero point.

#include "resources/array.h"
#include "resources/string.h"

struct CurvePoint {
    float time;  // seconds
    float value;
};

// a + f (b - a), time and value.
CurvePoint interpolate(const CurvePoint& a, const CurvePoint& b, float f);

class Curve {
public:
    // Replaces the points. False when the file cannot be opened; the curve is then empty.
    bool load(const String& name);
    void loadLines(const Array<String>& lines);
    // The sample at t; an empty curve gives `current` as it stands.
    CurvePoint pointAt(float t) const;
    float valueAt(float t) const { return pointAt(t).value; }
    // Writes the sample at t into `current`; an empty curve leaves it unchanged.
    void sample(float t) { current = pointAt(t); }

    Array<CurvePoint> points;
    CurvePoint current = {0.0f, 0.0f};
    float duration = 0.0f;  // seconds: the last point's time
};
