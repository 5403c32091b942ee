#include "tools/generator/mastering.h"

#include "tools/generator/filter.h"
#include "tools/generator/limiter.h"
#include "tools/generator/loudness.h"
#include "tools/generator/mixer.h"
#include "tools/generator/portable_math.h"
#include "tools/generator/sequencer.h"

namespace {

constexpr double kDcCutoffHz = 10.0;
constexpr double kHighCutHz = 17000.0;
constexpr int32_t kLoudnessPasses = 6;
constexpr double kLoudnessTolerance = 0.05;  // LU
// NOTE: the encoded file measures about 0.25 LU quieter than the programme given to the
// encoder, which drops detail it judges masked, so the programme aims that much higher.
constexpr double kEncodingLossLu = 0.25;
constexpr double kProgrammeLufs = kTargetLufs + kEncodingLossLu;
constexpr LimiterSettings kLimiter = {kPeakCeiling, 0.0025, 0.12};

// y = x - x' + R y', R = e^(-2 pi fc / rate).
void blockDc(std::vector<float>& channel) {
    const double r = portableExp(-2.0 * kPi * kDcCutoffHz / kAudioRate);
    double previousIn = 0.0;
    double previousOut = 0.0;
    for (float& sample : channel) {
        const double out = sample - previousIn + r * previousOut;
        previousIn = sample;
        previousOut = out;
        sample = static_cast<float>(out);
    }
}

// NOTE: the encoder low-passes at 19 kHz anyway, and removing content after the limiter moves
// the peaks it held; cutting a little lower here first means the limiter holds the waveform
// the decoder will rebuild.
void cutAbove(std::vector<float>& channel, double hz) {
    StateVariableFilter filter(hz, 0.707);
    for (float& sample : channel) {
        sample = filter.process(sample).low;
    }
}

void applyMasterLevel(StereoBuffer& mix) {
    const double barFrames = kBarSeconds * kAudioRate;
    for (size_t i = 0; i < mix.left.size(); ++i) {
        const float level = curveAt(kMasterLevel, static_cast<double>(i) / barFrames);
        mix.left[i] *= level * level;
        mix.right[i] *= level * level;
    }
}

StereoBuffer scaled(const StereoBuffer& mix, float gain) {
    StereoBuffer out = mix;
    for (size_t i = 0; i < out.left.size(); ++i) {
        out.left[i] *= gain;
        out.right[i] *= gain;
    }
    return out;
}

}  // namespace

MasterReport masterProgramme(StereoBuffer& mix) {
    blockDc(mix.left);
    blockDc(mix.right);
    cutAbove(mix.left, kHighCutHz);
    cutAbove(mix.right, kHighCutHz);
    applyMasterLevel(mix);
    MasterReport report{kProgrammeLufs - integratedLoudness(mix), 0.0, 0.0, 0.0f, 0.0f};
    StereoBuffer limited;
    for (int32_t pass = 0; pass < kLoudnessPasses; ++pass) {
        limited = scaled(mix, decibelsToGain(report.gainDb));
        report.limiterReductionDb = limitPeaks(limited, kLimiter);
        report.loudnessLufs = integratedLoudness(limited);
        const double error = kProgrammeLufs - report.loudnessLufs;
        if (error < kLoudnessTolerance && error > -kLoudnessTolerance) {
            break;
        }
        report.gainDb += error;
    }
    report.samplePeak = samplePeak(limited);
    report.truePeak = truePeak(limited);
    mix = std::move(limited);
    return report;
}
