#include "tools/generator/oscillator.h"

#include <cmath>

#include "tools/generator/noise.h"
#include "tools/generator/portable_math.h"
#include "tools/generator/stereo_buffer.h"

namespace {

double wrapTurns(double phase) {
    return phase - std::floor(phase);
}

// A rising saw, -1..1, with its jump at phase 0 smoothed.
double bandLimitedSaw(double phase, double increment) {
    return 2.0 * phase - 1.0 - polyBlep(phase, increment);
}

}  // namespace

double polyBlep(double phase, double increment) {
    if (phase < increment) {
        const double t = phase / increment;
        return t + t - t * t - 1.0;
    }
    if (phase > 1.0 - increment) {
        const double t = (phase - 1.0) / increment;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

Oscillator::Oscillator(Waveform waveform, double phase, double pulseWidth)
    : waveform(waveform), phase(wrapTurns(phase)), pulseWidth(pulseWidth) {}

void Oscillator::setFrequency(double hz) {
    increment = hz / kAudioRate;
}

float Oscillator::next() {
    double value = 0.0;
    switch (waveform) {
        case Waveform::Sine:
            value = sinTurns(phase);
            break;
        case Waveform::Saw:
            value = bandLimitedSaw(phase, increment);
            break;
        case Waveform::Pulse:
            // Two saws a pulse width apart: high (2 - 2w) for w of the cycle, low -2w for the
            // rest, so the mean is zero whatever the width.
            value = bandLimitedSaw(phase, increment) -
                    bandLimitedSaw(wrapTurns(phase + pulseWidth), increment);
            break;
    }
    phase = wrapTurns(phase + increment);
    return static_cast<float>(value);
}

NoiseSource::NoiseSource(uint32_t seed) : state(hashCell(static_cast<int32_t>(seed), 0, 0x51f3u)) {
    if (state == 0) {
        state = 0x9e3779b9u;  // xorshift never leaves zero
    }
}

float NoiseSource::next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<float>(static_cast<double>(state) / 2147483648.0 - 1.0);
}

double noteFrequency(double midiNote) {
    return 440.0 * portablePow(2.0, (midiNote - 69.0) / 12.0);
}

double centsRatio(double cents) {
    return portablePow(2.0, cents / 1200.0);
}
