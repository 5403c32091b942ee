#pragma once
// Where the demo's music lives and how demo time maps onto it: demo time 0 is the music's
// first sample, so the music frame heard at t seconds is t * 44100.

#include <cmath>
#include <cstdint>

#include "resources/mp3_track.h"

inline constexpr const char* kMusicFile = "Sounds/Crunch.mp3";

// The music frame that plays at demo time t, seconds.
inline int64_t musicFrameAt(double t) {
    return std::llround(t * kTrackRate);
}
