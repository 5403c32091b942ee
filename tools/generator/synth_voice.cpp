#include "tools/generator/synth_voice.h"

#include <algorithm>
#include <vector>

#include "tools/generator/filter.h"
#include "tools/generator/portable_math.h"

namespace {

constexpr int32_t kControlFrames = 32;  // samples between pitch and cutoff updates

struct UnisonVoice {
    Oscillator oscillator;
    double frequencyRatio;  // to the note's frequency
    float leftGain;
    float rightGain;
};

// Constant-power gains for a position from -1 (left) to 1 (right), unity on both sides at
// the centre as on the mixer.
void panGains(double position, float& left, float& right) {
    const double turns = (position + 1.0) / 8.0;  // 0 .. a quarter turn
    left = static_cast<float>(cosTurns(turns) * 1.4142135623730951);
    right = static_cast<float>(sinTurns(turns) * 1.4142135623730951);
}

void addLayerVoices(const OscillatorLayer& layer, uint32_t seed, std::vector<UnisonVoice>& out) {
    if (layer.level <= 0.0f) {
        return;
    }
    const int32_t voices = std::clamp(layer.voices, 1, 9);
    NoiseSource phases(seed);
    // Equal power for the stack, so more voices thicken the sound without raising it.
    const double voiceLevel = layer.level / std::sqrt(static_cast<double>(voices));
    for (int32_t v = 0; v < voices; ++v) {
        const double spread = voices == 1 ? 0.0 : 2.0 * v / (voices - 1) - 1.0;  // -1..1
        UnisonVoice voice{Oscillator(layer.waveform, 0.5 + 0.5 * phases.next(), layer.pulseWidth),
                          portablePow(2.0, layer.octave) * centsRatio(spread * layer.detuneCents),
                          0.0f, 0.0f};
        panGains(spread * layer.width, voice.leftGain, voice.rightGain);
        voice.leftGain *= static_cast<float>(voiceLevel);
        voice.rightGain *= static_cast<float>(voiceLevel);
        out.push_back(voice);
    }
}

// The vibrato's pitch ratio `seconds` into the note.
double vibratoRatio(const SynthPatch& patch, double seconds) {
    const Vibrato& vibrato = patch.vibrato;
    if (vibrato.cents <= 0.0f) {
        return 1.0;
    }
    const double delay = std::max(vibrato.delaySeconds, 0.001f);
    const double depth = std::clamp((seconds - delay) / delay, 0.0, 1.0);
    return centsRatio(depth * vibrato.cents * sinTurns(seconds * vibrato.hz));
}

double cutoffAt(const PatchFilter& filter, const SynthNote& note, double filterLevel,
                double seconds) {
    const double progress = std::clamp(seconds / note.gateSeconds, 0.0, 1.0);
    const double brightness =
        mix(note.brightnessStart, note.brightnessEnd, static_cast<float>(progress));
    const double octaves = filter.keyTracking * (note.midiNote - 60.0) / 12.0 +
                           filter.envelopeOctaves * filterLevel +
                           filter.velocityOctaves * note.velocity + brightness;
    return filter.cutoffHz * portablePow(2.0, octaves);
}

}  // namespace

StereoBuffer renderSynthNote(const SynthPatch& patch, const SynthNote& note) {
    std::vector<UnisonVoice> voices;
    addLayerVoices(patch.layers[0], note.seed, voices);
    addLayerVoices(patch.layers[1], note.seed * 31u + 7u, voices);
    StereoBuffer sound(Envelope::lengthFrames(patch.amplitude, note.gateSeconds));
    Envelope amplitude(patch.amplitude, note.gateSeconds);
    Envelope filterEnvelope(patch.filter.envelope, note.gateSeconds);
    const PatchFilter& filter = patch.filter;
    StateVariableFilter leftFilter(filter.cutoffHz, filter.resonance);
    StateVariableFilter rightFilter(filter.cutoffHz, filter.resonance);
    const double noteHz = noteFrequency(note.midiNote);
    const float gain = patch.gain * note.velocity;
    float filterLevel = 0.0f;
    int64_t frame = 0;
    for (; frame < sound.frames() && !amplitude.finished(); ++frame) {
        if (frame % kControlFrames == 0) {
            const double seconds = static_cast<double>(frame) / kAudioRate;
            const double hz = noteHz * vibratoRatio(patch, seconds);
            for (UnisonVoice& voice : voices) {
                voice.oscillator.setFrequency(hz * voice.frequencyRatio);
            }
            const double cutoff = cutoffAt(filter, note, filterLevel, seconds);
            leftFilter.setCutoff(cutoff, filter.resonance);
            rightFilter.setCutoff(cutoff, filter.resonance);
        }
        float left = 0.0f;
        float right = 0.0f;
        for (UnisonVoice& voice : voices) {
            const float sample = voice.oscillator.next();
            left += sample * voice.leftGain;
            right += sample * voice.rightGain;
        }
        filterLevel = filterEnvelope.next();
        const float level = amplitude.next() * gain;
        sound.left[static_cast<size_t>(frame)] = leftFilter.process(left).low * level;
        sound.right[static_cast<size_t>(frame)] = rightFilter.process(right).low * level;
    }
    sound.left.resize(static_cast<size_t>(frame));
    sound.right.resize(static_cast<size_t>(frame));
    return sound;
}
