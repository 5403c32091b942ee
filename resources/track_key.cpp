#include "resources/track_key.h"

#include <cstdio>

namespace {

Vector3 lerp(const Vector3& a, const Vector3& b, float f) {
    return {a.x + f * (b.x - a.x), a.y + f * (b.y - a.y), a.z + f * (b.z - a.z)};
}

}  // namespace

void parseTrackKey(const String& line, TrackKey& key) {
    // White space in a scanf format matches any white space, tabs and blanks alike.
    std::sscanf(line.c_str(), "%f\t(%f\t%f\t%f)\t(%f\t%f\t%f)\t(%f\t%f\t%f)", &key.time,
                &key.first.x, &key.first.y, &key.first.z, &key.second.x, &key.second.y,
                &key.second.z, &key.third.x, &key.third.y, &key.third.z);
}

TrackKey interpolate(const TrackKey& a, const TrackKey& b, float f) {
    return {a.time + f * (b.time - a.time), lerp(a.first, b.first, f), lerp(a.second, b.second, f),
            lerp(a.third, b.third, f)};
}

float segmentFraction(float aTime, float bTime, float t) {
    return (t - aTime) / (bTime - aTime);
}
