#include "tools/generator/drums.h"

#include <algorithm>
#include <array>
#include <vector>

#include "tools/generator/filter.h"
#include "tools/generator/oscillator.h"
#include "tools/generator/portable_math.h"

namespace {

constexpr int32_t kControlFrames = 32;  // samples between filter sweeps' cutoff updates

// The 808's six hat oscillators, Hz; cymbals use them raised by a fixed ratio.
constexpr std::array<double, 6> kMetalFrequencies = {205.3, 304.4, 369.6, 522.7, 540.0, 800.0};

double secondsAt(int64_t frame) {
    return static_cast<double>(frame) / kAudioRate;
}

// e^(-t / timeConstant).
double decayAt(double t, double timeConstant) {
    return portableExp(-t / timeConstant);
}

// 0 at t = 0 rising linearly to 1 at `seconds`.
double rampIn(double t, double seconds) {
    return std::min(1.0, t / seconds);
}

// A gentle saturator, near linear below 0.5 and never above 1 in magnitude.
double softClip(double x) {
    const double c = std::clamp(x, -3.0, 3.0);
    return c * (27.0 + c * c) / (27.0 + 9.0 * c * c);
}

// Fades the last `seconds` linearly to zero, so a sound cut to length never clicks.
void fadeTail(StereoBuffer& sound, double seconds) {
    const int64_t frames = std::min(sound.frames(), std::max<int64_t>(1, framesOf(seconds)));
    const int64_t first = sound.frames() - frames;
    for (int64_t i = 0; i < frames; ++i) {
        const float gain = static_cast<float>(frames - 1 - i) / static_cast<float>(frames);
        sound.left[static_cast<size_t>(first + i)] *= gain;
        sound.right[static_cast<size_t>(first + i)] *= gain;
    }
}

void setFrame(StereoBuffer& sound, int64_t frame, double left, double right) {
    sound.left[static_cast<size_t>(frame)] = static_cast<float>(left);
    sound.right[static_cast<size_t>(frame)] = static_cast<float>(right);
}

// Six square waves at the metal frequencies times `ratio`, summed to about -1..1.
class MetalBank {
public:
    MetalBank(double ratio, uint32_t seed) {
        NoiseSource phases(seed ^ 0x6d2bu);
        for (const double hz : kMetalFrequencies) {
            oscillators.emplace_back(Waveform::Pulse, 0.5 + 0.5 * phases.next());
            oscillators.back().setFrequency(hz * ratio);
        }
    }
    double next() {
        double sum = 0.0;
        for (Oscillator& oscillator : oscillators) {
            sum += oscillator.next();
        }
        return sum / 4.0;
    }

private:
    std::vector<Oscillator> oscillators;
};

// A hat: metal and noise above 7 kHz, with a 0.5 ms attack and the given decay.
StereoBuffer renderHat(float velocity, uint32_t seed, double timeConstant, double seconds) {
    StereoBuffer sound(framesOf(seconds));
    MetalBank metal(1.0, seed);
    NoiseSource noise(seed);
    StateVariableFilter highPass(7000.0, 0.707);
    StateVariableFilter presence(10500.0, 1.2);
    for (int64_t i = 0; i < sound.frames(); ++i) {
        const double t = secondsAt(i);
        const float source = static_cast<float>(0.55 * metal.next() + 0.8 * noise.next());
        const float high = highPass.process(source).high;
        const double shaped = high + 0.6 * presence.process(high).band;
        const double value = shaped * velocity * rampIn(t, 0.0005) * decayAt(t, timeConstant);
        setFrame(sound, i, value, value);
    }
    fadeTail(sound, 0.01);
    return sound;
}

// Noise through a band-pass whose cutoff, Hz, and level follow the sound's progress 0..1.
StereoBuffer renderFilteredNoise(double seconds, float gain, uint32_t seed, double resonance,
                                 double (*cutoffAt)(double progress),
                                 double (*levelAt)(double progress)) {
    StereoBuffer sound(std::max<int64_t>(1, framesOf(seconds)));
    NoiseSource leftNoise(seed);
    NoiseSource rightNoise(seed + 1u);
    StateVariableFilter leftFilter(cutoffAt(0.0), resonance);
    StateVariableFilter rightFilter(cutoffAt(0.0), resonance);
    const double frames = static_cast<double>(sound.frames());
    for (int64_t i = 0; i < sound.frames(); ++i) {
        const double progress = static_cast<double>(i) / frames;
        if (i % kControlFrames == 0) {
            leftFilter.setCutoff(cutoffAt(progress), resonance);
            rightFilter.setCutoff(cutoffAt(progress), resonance);
        }
        const double level = gain * levelAt(progress) * rampIn(secondsAt(i), 0.005);
        setFrame(sound, i, leftFilter.process(leftNoise.next()).band * level,
                 rightFilter.process(rightNoise.next()).band * level);
    }
    fadeTail(sound, 0.01);
    return sound;
}

// f0 * (f1 / f0)^x, the exponential path between two frequencies.
double glide(double f0, double f1, double x) {
    return f0 * portablePow(f1 / f0, x);
}

}  // namespace

StereoBuffer renderKick(float velocity, uint32_t seed) {
    StereoBuffer sound(framesOf(0.5));
    NoiseSource noise(seed);
    StateVariableFilter clickFilter(3500.0, 0.707);
    double phase = 0.0;  // turns
    for (int64_t i = 0; i < sound.frames(); ++i) {
        const double t = secondsAt(i);
        const double hz = 48.0 + 100.0 * decayAt(t, 0.028) + 50.0 * decayAt(t, 0.004);
        const double body = sinTurns(phase) * rampIn(t, 0.001) * decayAt(t, 0.22);
        phase += hz / kAudioRate;
        const double click =
            clickFilter.process(noise.next()).high * 0.25 * rampIn(t, 0.0003) * decayAt(t, 0.003);
        const double value = (softClip(1.15 * body) + click) * velocity;
        setFrame(sound, i, value, value);
    }
    fadeTail(sound, 0.03);
    return sound;
}

StereoBuffer renderSnare(float velocity, uint32_t seed) {
    StereoBuffer sound(framesOf(0.35));
    NoiseSource noise(seed);
    NoiseSource width(seed + 1u);
    StateVariableFilter leftFilter(2600.0, 0.8);
    StateVariableFilter rightFilter(2600.0, 0.8);
    double lowPhase = 0.0;   // turns
    double highPhase = 0.0;  // turns
    for (int64_t i = 0; i < sound.frames(); ++i) {
        const double t = secondsAt(i);
        const double body = 0.55 * sinTurns(lowPhase) * decayAt(t, 0.05) +
                            0.3 * sinTurns(highPhase) * decayAt(t, 0.03);
        lowPhase += (185.0 + 40.0 * decayAt(t, 0.015)) / kAudioRate;
        highPhase += 330.0 / kAudioRate;
        const float shared = noise.next();
        const float apart = width.next();
        const double noiseLevel = 0.85 * decayAt(t, 0.085);
        const FilterOutputs left = leftFilter.process(shared * 0.8f + apart * 0.2f);
        const FilterOutputs right = rightFilter.process(shared * 0.8f - apart * 0.2f);
        const double attack = rampIn(t, 0.0008) * velocity;
        setFrame(sound, i, (body + (left.band + 0.5 * left.high) * noiseLevel) * attack,
                 (body + (right.band + 0.5 * right.high) * noiseLevel) * attack);
    }
    fadeTail(sound, 0.02);
    return sound;
}

StereoBuffer renderClap(float velocity, uint32_t seed) {
    StereoBuffer sound(framesOf(0.45));
    NoiseSource noise(seed);
    NoiseSource width(seed + 1u);
    StateVariableFilter leftFilter(1250.0, 1.4);
    StateVariableFilter rightFilter(1250.0, 1.4);
    constexpr std::array<double, 3> kBurstStarts = {0.0, 0.011, 0.022};  // seconds
    constexpr double kTailStart = 0.031;                                 // seconds
    for (int64_t i = 0; i < sound.frames(); ++i) {
        const double t = secondsAt(i);
        double level = 0.0;
        for (const double start : kBurstStarts) {
            level += t >= start ? decayAt(t - start, 0.0045) * rampIn(t - start, 0.0005) : 0.0;
        }
        level += t >= kTailStart ? 0.8 * decayAt(t - kTailStart, 0.075) : 0.0;
        const float shared = noise.next();
        const float apart = width.next();
        const double gain = 1.6 * level * velocity;
        setFrame(sound, i, leftFilter.process(shared * 0.7f + apart * 0.3f).band * gain,
                 rightFilter.process(shared * 0.7f - apart * 0.3f).band * gain);
    }
    fadeTail(sound, 0.02);
    return sound;
}

StereoBuffer renderClosedHat(float velocity, uint32_t seed) {
    return renderHat(velocity, seed, 0.03, 0.2);
}

StereoBuffer renderOpenHat(float velocity, uint32_t seed) {
    return renderHat(velocity, seed, 0.2, 0.9);
}

StereoBuffer renderShaker(float velocity, uint32_t seed) {
    StereoBuffer sound(framesOf(0.16));
    NoiseSource noise(seed);
    StateVariableFilter filter(9000.0, 1.5);
    for (int64_t i = 0; i < sound.frames(); ++i) {
        const double t = secondsAt(i);
        const double value = filter.process(noise.next()).band * 1.2 * velocity * rampIn(t, 0.006) *
                             decayAt(t, 0.035);
        setFrame(sound, i, value, value);
    }
    fadeTail(sound, 0.01);
    return sound;
}

StereoBuffer renderCrash(float velocity, uint32_t seed) {
    StereoBuffer sound(framesOf(3.5));
    MetalBank metal(2.37, seed);
    NoiseSource leftNoise(seed);
    NoiseSource rightNoise(seed + 1u);
    StateVariableFilter leftFilter(4200.0, 0.707);
    StateVariableFilter rightFilter(4200.0, 0.707);
    for (int64_t i = 0; i < sound.frames(); ++i) {
        const double t = secondsAt(i);
        const double ring = 0.35 * metal.next();
        const double level =
            velocity * rampIn(t, 0.001) * (0.55 * decayAt(t, 0.9) + 0.45 * decayAt(t, 0.12));
        const float left = static_cast<float>(ring + 0.8 * leftNoise.next());
        const float right = static_cast<float>(ring + 0.8 * rightNoise.next());
        setFrame(sound, i, leftFilter.process(left).high * level,
                 rightFilter.process(right).high * level);
    }
    fadeTail(sound, 0.3);
    return sound;
}

StereoBuffer renderRiser(double seconds, float level, uint32_t seed) {
    return renderFilteredNoise(
        seconds, level, seed, 2.5, [](double x) { return glide(300.0, 9000.0, x); },
        [](double x) { return 1.8 * x * x; });
}

StereoBuffer renderDownlifter(double seconds, float level, uint32_t seed) {
    return renderFilteredNoise(
        seconds, level, seed, 2.0, [](double x) { return glide(9000.0, 200.0, x); },
        [](double x) { return 1.8 * (1.0 - x) * (1.0 - x); });
}

StereoBuffer renderSweep(double seconds, float level, uint32_t seed) {
    return renderFilteredNoise(
        seconds, level, seed, 1.8,
        [](double x) { return glide(800.0, 12000.0, sinTurns(x / 2.0)); },
        [](double x) {
            const double s = sinTurns(x / 2.0);
            return 1.5 * s * s;
        });
}

StereoBuffer renderSubDrop(double seconds, float level) {
    StereoBuffer sound(std::max<int64_t>(1, framesOf(seconds)));
    const double frames = static_cast<double>(sound.frames());
    double phase = 0.0;  // turns
    for (int64_t i = 0; i < sound.frames(); ++i) {
        const double progress = static_cast<double>(i) / frames;
        const double fade = (1.0 - progress) * (1.0 - progress);
        const double value = (sinTurns(phase) + 0.15 * sinTurns(2.0 * phase)) * level * fade *
                             rampIn(secondsAt(i), 0.005);
        phase += glide(70.0, 28.0, progress) / kAudioRate;
        setFrame(sound, i, value, value);
    }
    fadeTail(sound, 0.01);
    return sound;
}
