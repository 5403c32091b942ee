#include "tools/generator/loudness.h"

#include <vector>

#include "tools/generator/portable_math.h"

namespace {

constexpr double kBlockSeconds = 0.4;
constexpr int32_t kStepsPerBlock = 4;    // 75% overlap
constexpr double kAbsoluteGate = -70.0;  // LUFS
constexpr double kRelativeGate = -10.0;  // LU below the absolutely gated mean
constexpr double kLn10 = 2.30258509299404568402;

double loudnessOf(double meanSquare) {
    return meanSquare > 0.0 ? -0.691 + 10.0 * portableLog(meanSquare) / kLn10 : kSilentLufs;
}

// Sums of K-weighted squares of both channels over consecutive 100 ms steps.
std::vector<double> weightedStepEnergies(const StereoBuffer& programme, int64_t stepFrames) {
    std::vector<double> steps(static_cast<size_t>(programme.frames() / stepFrames));
    for (const std::vector<float>* channel : {&programme.left, &programme.right}) {
        Biquad shelf(kWeightingShelf(kAudioRate));
        Biquad highPass(kWeightingHighPass(kAudioRate));
        for (size_t step = 0; step < steps.size(); ++step) {
            double sum = 0.0;
            for (int64_t i = 0; i < stepFrames; ++i) {
                const double x =
                    (*channel)[step * static_cast<size_t>(stepFrames) + static_cast<size_t>(i)];
                const double weighted = highPass.process(shelf.process(x));
                sum += weighted * weighted;
            }
            steps[step] += sum;
        }
    }
    return steps;
}

// The mean of the block mean squares above `gate` LUFS, 0 when none are.
double gatedMean(const std::vector<double>& blocks, double gate) {
    double sum = 0.0;
    int64_t count = 0;
    for (const double block : blocks) {
        if (loudnessOf(block) > gate) {
            sum += block;
            ++count;
        }
    }
    return count > 0 ? sum / static_cast<double>(count) : 0.0;
}

}  // namespace

BiquadCoefficients kWeightingShelf(double rate) {
    constexpr double kHz = 1681.974450955533;
    constexpr double kGainDb = 3.999843853973347;
    constexpr double kQ = 0.7071752369554196;
    const double k = prewarp(kHz, rate);
    const double vh = portablePow(10.0, kGainDb / 20.0);
    const double vb = portablePow(vh, 0.4996667741545416);
    const double a0 = 1.0 + k / kQ + k * k;
    return {(vh + vb * k / kQ + k * k) / a0, 2.0 * (k * k - vh) / a0,
            (vh - vb * k / kQ + k * k) / a0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / kQ + k * k) / a0};
}

BiquadCoefficients kWeightingHighPass(double rate) {
    constexpr double kHz = 38.13547087602444;
    constexpr double kQ = 0.5003270373238773;
    const double k = prewarp(kHz, rate);
    const double a0 = 1.0 + k / kQ + k * k;
    // NOTE: the numerator stays 1, -2, 1 unnormalised, as the recommendation's 48 kHz
    // coefficients have it; the pass band then sits within 0.01 dB of unity.
    return {1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / kQ + k * k) / a0};
}

double integratedLoudness(const StereoBuffer& programme) {
    const int64_t stepFrames = framesOf(kBlockSeconds / kStepsPerBlock);
    const std::vector<double> steps = weightedStepEnergies(programme, stepFrames);
    if (steps.size() < static_cast<size_t>(kStepsPerBlock)) {
        return kSilentLufs;
    }
    std::vector<double> blocks(steps.size() - kStepsPerBlock + 1);
    const double blockFrames = static_cast<double>(stepFrames * kStepsPerBlock);
    for (size_t b = 0; b < blocks.size(); ++b) {
        double sum = 0.0;
        for (size_t s = 0; s < static_cast<size_t>(kStepsPerBlock); ++s) {
            sum += steps[b + s];
        }
        blocks[b] = sum / blockFrames;
    }
    const double absoluteMean = gatedMean(blocks, kAbsoluteGate);
    if (absoluteMean <= 0.0) {
        return kSilentLufs;
    }
    const double relativeGate = loudnessOf(absoluteMean) + kRelativeGate;
    return loudnessOf(
        gatedMean(blocks, relativeGate > kAbsoluteGate ? relativeGate : kAbsoluteGate));
}
