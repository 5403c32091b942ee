#pragma once
// A hall reverb over a whole mono send, after the well-known Freeverb network: eight damped
// feedback combs in parallel into four allpasses in series, per channel, the right channel's
// delays 23 samples longer so the two decorrelate into width. Offline and wet only, like the
// delay; state in double for denormal-free tails. Delay lengths are tuned for 44100 Hz.

#include <vector>

#include "tools/generator/stereo_buffer.h"

struct ReverbSettings {
    double roomSize;         // 0..1, longer decay upwards
    double damping;          // 0..1, darker tails upwards
    double preDelaySeconds;  // before the first reflections
    double width;            // 0 mono .. 1 full stereo
};

StereoBuffer hallReverb(const std::vector<float>& send, const ReverbSettings& settings);
