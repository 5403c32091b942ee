#pragma once
// ADSR envelopes stepped one sample at a time at kAudioRate, levels 0..1. The attack rises in a
// straight line; decay and release fall exponentially, the release aiming a little below zero
// so it reaches silence in its stated time instead of approaching it for ever. Every stage is
// at least 1 ms long, so no note starts or stops with a click.

#include <cstdint>

struct AdsrShape {
    float attack;   // seconds, 0 to full level
    float decay;    // seconds, full level to within 1% of sustain
    float sustain;  // level held while the gate is open, 0..1
    float release;  // seconds, from any level to silence
};

class Envelope {
public:
    // The gate closes `gateSeconds` after the start and the release begins there.
    Envelope(const AdsrShape& shape, double gateSeconds);

    // The current level, then one sample's advance.
    float next();
    // True once the release has reached silence.
    bool finished() const { return stage == Stage::Done; }

    // Samples from the start until silence, an upper bound for a buffer.
    static int64_t lengthFrames(const AdsrShape& shape, double gateSeconds);

private:
    enum class Stage { Attack, Decay, Release, Done };

    // Starts the release, timed so that it reaches silence in the release time from
    // whatever level the envelope has reached.
    void closeGate();

    Stage stage = Stage::Attack;
    double level = 0.0;
    double attackStep;
    double sustain;
    double decayFactor;
    double releaseFrames;
    double releaseFactor = 1.0;  // set when the gate closes, from the level reached
    int64_t gateFrames;
    int64_t frame = 0;
};
