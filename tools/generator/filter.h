#pragma once
// Filters for voices, effects and metering, all in double precision with state that starts at
// rest. The state-variable filter integrates trapezoidally (as in Simper's analysis), so its
// cutoff may move every few samples without zipper noise or blowing up; resonance is the Q of
// its two poles (0.5 gentle, 0.707 flat, higher rings). Cutoffs in Hz at kAudioRate, clamped
// to 10 Hz .. 0.45 of the rate.

struct FilterOutputs {
    float low;
    float band;  // unity gain at the cutoff
    float high;
};

class StateVariableFilter {
public:
    StateVariableFilter(double cutoffHz, double resonance);

    // Costs a tangent: voices call it once per control block, not per sample.
    void setCutoff(double cutoffHz, double resonance);
    FilterOutputs process(float input);

private:
    double g = 0.0;
    double k = 0.0;
    double a1 = 0.0;
    double a2 = 0.0;
    double a3 = 0.0;
    double state1 = 0.0;
    double state2 = 0.0;
};

// y = b0 x + b1 x' + b2 x'' - a1 y' - a2 y'' (a0 normalised to 1), transposed direct form II.
struct BiquadCoefficients {
    double b0, b1, b2, a1, a2;
};

class Biquad {
public:
    explicit Biquad(const BiquadCoefficients& coefficients) : c(coefficients) {}
    double process(double input);

private:
    BiquadCoefficients c;
    double z1 = 0.0;
    double z2 = 0.0;
};

// tan(pi * hz / rate), the prewarped frequency of bilinear-transform designs.
double prewarp(double hz, double rate);
