#include "tools/generator/filter.h"

#include <algorithm>

#include "tools/generator/portable_math.h"
#include "tools/generator/stereo_buffer.h"

StateVariableFilter::StateVariableFilter(double cutoffHz, double resonance) {
    setCutoff(cutoffHz, resonance);
}

void StateVariableFilter::setCutoff(double cutoffHz, double resonance) {
    const double hz = std::clamp(cutoffHz, 10.0, 0.45 * kAudioRate);
    g = prewarp(hz, kAudioRate);
    k = 1.0 / std::max(resonance, 0.1);
    a1 = 1.0 / (1.0 + g * (g + k));
    a2 = g * a1;
    a3 = g * a2;
}

FilterOutputs StateVariableFilter::process(float input) {
    const double v3 = input - state2;
    const double v1 = a1 * state1 + a2 * v3;
    const double v2 = state2 + a2 * state1 + a3 * v3;
    state1 = 2.0 * v1 - state1;
    state2 = 2.0 * v2 - state2;
    return {static_cast<float>(v2), static_cast<float>(k * v1),
            static_cast<float>(input - k * v1 - v2)};
}

double Biquad::process(double input) {
    const double output = c.b0 * input + z1;
    z1 = c.b1 * input - c.a1 * output + z2;
    z2 = c.b2 * input - c.a2 * output;
    return output;
}

double prewarp(double hz, double rate) {
    const double halfTurns = hz / rate / 2.0;
    return sinTurns(halfTurns) / cosTurns(halfTurns);
}
