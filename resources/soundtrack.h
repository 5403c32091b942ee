#pragma once
// How demo time maps onto the music (kMusic of the data manifest): demo time 0 is the music's
// first sample, so the music frame heard at t seconds is t * 44100.

#include <cmath>
#include <cstdint>

#include "resources/data_manifest.h"
#include "resources/decoded_track.h"

// The music frame that plays at demo time t, seconds.
inline int64_t musicFrameAt(double t) {
    return std::llround(t * kTrackRate);
}
