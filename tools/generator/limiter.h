#pragma once
// A look-ahead true-peak limiter working on a whole programme, both channels by one gain so
// the stereo image holds. Peaks are measured between samples too, on a four-times
// oversampled reconstruction, because a decoder or a converter rebuilds the waveform and its
// overshoots between samples (up to 1 dB on bright material) would otherwise pass. The gain
// at each frame is the smallest any frame within the look-ahead on either side needs,
// recovering at the release rate, then averaged over the look-ahead window: every frame and
// every point between ends at or below the ceiling, and gain never changes in a jump.

#include "tools/generator/stereo_buffer.h"

struct LimiterSettings {
    float ceiling;            // largest magnitude allowed, linear (0.841 = -1.5 dBFS)
    double lookAheadSeconds;  // the gain starts falling this long before a peak
    double releaseSeconds;    // time constant of the recovery
};

// Limits in place; returns the deepest gain reduction applied, dB (0 when none).
double limitPeaks(StereoBuffer& programme, const LimiterSettings& settings);

// The largest sample magnitude of either channel.
float samplePeak(const StereoBuffer& programme);
// The largest magnitude of either channel's four-times oversampled reconstruction.
float truePeak(const StereoBuffer& programme);
