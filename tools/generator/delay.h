#pragma once
// A ping-pong echo over a whole mono send: the first echo comes from the left, the next from
// the right, and so on, each one darker and quieter. Offline: the input is the whole send and
// the result as long, the wet signal only. State runs in double, so long quiet tails never
// fall into denormal numbers.

#include <vector>

#include "tools/generator/stereo_buffer.h"

struct DelaySettings {
    double delaySeconds;  // between successive echoes
    double feedback;      // level of each echo relative to the one before, 0..0.9
    double dampingHz;     // each pass through the loop is low-passed here
};

StereoBuffer pingPongDelay(const std::vector<float>& send, const DelaySettings& settings);
