#include "tools/generator/mixer.h"

#include <algorithm>

#include "tools/generator/portable_math.h"

namespace {

constexpr double kDuckAttackSeconds = 0.004;  // fast, yet no click
constexpr double kDuckSeconds = 0.26;         // back to full level

// How far ducked `t` seconds after a kick: a short ramp down, then a half cosine back up.
double duckShape(double t) {
    if (t < kDuckAttackSeconds) {
        return t / kDuckAttackSeconds;
    }
    const double recovery = (t - kDuckAttackSeconds) / (kDuckSeconds - kDuckAttackSeconds);
    return 0.5 + 0.5 * cosTurns(recovery / 2.0);
}

}  // namespace

float decibelsToGain(double decibels) {
    return static_cast<float>(portablePow(10.0, decibels / 20.0));
}

Mixer::Mixer(int64_t frames)
    : dry(frames),
      reverbSend(static_cast<size_t>(frames)),
      delaySend(static_cast<size_t>(frames)),
      duck(static_cast<size_t>(frames)) {}

void Mixer::setKicks(const std::vector<int64_t>& kickFrames) {
    std::fill(duck.begin(), duck.end(), 0.0f);
    const int64_t length = framesOf(kDuckSeconds);
    for (const int64_t start : kickFrames) {
        const int64_t end = std::min(start + length, dry.frames());
        for (int64_t i = std::max<int64_t>(start, 0); i < end; ++i) {
            const float amount =
                static_cast<float>(duckShape(static_cast<double>(i - start) / kAudioRate));
            duck[static_cast<size_t>(i)] = std::max(duck[static_cast<size_t>(i)], amount);
        }
    }
}

void Mixer::add(const ChannelStrip& strip, int64_t startFrame, const StereoBuffer& sound) {
    const float gain = decibelsToGain(strip.gainDb);
    // Constant-power pan, scaled so the centre leaves both sides at unity.
    const double turns = (std::clamp(strip.pan, -1.0f, 1.0f) + 1.0) / 8.0;
    const float leftGain = gain * static_cast<float>(cosTurns(turns) * 1.4142135623730951);
    const float rightGain = gain * static_cast<float>(sinTurns(turns) * 1.4142135623730951);
    const int64_t first = std::max<int64_t>(0, -startFrame);
    const int64_t last = std::min(sound.frames(), dry.frames() - startFrame);
    for (int64_t i = first; i < last; ++i) {
        const size_t at = static_cast<size_t>(startFrame + i);
        const float ducked = 1.0f - strip.duckDepth * duck[at];
        const float left = sound.left[static_cast<size_t>(i)] * ducked;
        const float right = sound.right[static_cast<size_t>(i)] * ducked;
        dry.left[at] += left * leftGain;
        dry.right[at] += right * rightGain;
        const float mono = (left + right) * 0.5f * gain;
        reverbSend[at] += mono * strip.reverbSend;
        delaySend[at] += mono * strip.delaySend;
    }
}

StereoBuffer Mixer::finish(const DelaySettings& delay, const ReverbSettings& reverb,
                           float delayReturnDb, float reverbReturnDb) {
    const StereoBuffer echoes = pingPongDelay(delaySend, delay);
    // The echoes are part of the room too.
    const float echoGain = decibelsToGain(delayReturnDb);
    for (size_t i = 0; i < reverbSend.size(); ++i) {
        reverbSend[i] += (echoes.left[i] + echoes.right[i]) * 0.25f * echoGain;
    }
    const StereoBuffer hall = hallReverb(reverbSend, reverb);
    const float hallGain = decibelsToGain(reverbReturnDb);
    StereoBuffer mix = std::move(dry);
    for (size_t i = 0; i < mix.left.size(); ++i) {
        mix.left[i] += echoes.left[i] * echoGain + hall.left[i] * hallGain;
        mix.right[i] += echoes.right[i] * echoGain + hall.right[i] * hallGain;
    }
    return mix;
}
