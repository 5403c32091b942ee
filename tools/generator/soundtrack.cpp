#include "tools/generator/soundtrack.h"

#include "resources/data_manifest.h"

#include "tools/generator/instruments.h"
#include "tools/generator/mixer.h"
#include "tools/generator/mp3_encoder.h"
#include "tools/generator/sequencer.h"

namespace {

// A delay of a dotted eighth (three sixteenths) keeps the echoes in the groove.
constexpr DelaySettings kDelay = {3.0 * kStepSeconds, 0.38, 4500.0};
constexpr ReverbSettings kReverb = {0.75, 0.45, 0.02, 1.0};
constexpr float kDelayReturnDb = -3.0f;
constexpr float kReverbReturnDb = 2.0f;

uint32_t seedOf(int64_t frame, size_t salt) {
    return static_cast<uint32_t>(frame) * 2654435761u + static_cast<uint32_t>(salt) * 40503u + 1u;
}

std::vector<int64_t> kickFrames() {
    std::vector<int64_t> frames;
    for (const NoteEvent& note : layerNotes(kickLayer().patterns)) {
        frames.push_back(note.startFrame);
    }
    return frames;
}

SynthNote synthNote(const Layer& layer, const NoteEvent& note, uint32_t seed) {
    const double endBar = note.startBar + note.gateSeconds / kBarSeconds;
    const float start = layer.followsBrightness ? curveAt(kBrightness, note.startBar) : 0.0f;
    const float end = layer.followsBrightness ? curveAt(kBrightness, endBar) : 0.0f;
    return {.midiNote = static_cast<double>(note.midiNote + layer.transpose),
            .gateSeconds = note.gateSeconds,
            .velocity = note.velocity,
            .brightnessStart = start,
            .brightnessEnd = end,
            .seed = seed};
}

void playLayer(const Layer& layer, size_t index, Mixer& mixer) {
    for (const NoteEvent& note : layerNotes(layer.patterns)) {
        const uint32_t seed =
            seedOf(note.startFrame, index * 131u + static_cast<size_t>(note.midiNote));
        const StereoBuffer sound =
            layer.drum != nullptr ? layer.drum(note.velocity, seed)
                                  : renderSynthNote(*layer.patch, synthNote(layer, note, seed));
        mixer.add(layer.strip, note.startFrame, sound);
    }
}

void playHitChord(const Cue& cue, uint32_t seed, Mixer& mixer) {
    const ChannelStrip& strip = kCueStrips[static_cast<size_t>(CueKind::HitChord)];
    for (const int32_t tone : chordAt(static_cast<int32_t>(cue.bar)).tones) {
        const SynthNote note{.midiNote = static_cast<double>(tone),
                             .gateSeconds = cue.bars * kBarSeconds,
                             .velocity = cue.level,
                             .brightnessStart = 0.0f,
                             .brightnessEnd = 0.0f,
                             .seed = seed + static_cast<uint32_t>(tone)};
        mixer.add(strip, frameAtBar(cue.bar), renderSynthNote(kHitPatch, note));
    }
}

StereoBuffer renderCue(const Cue& cue, uint32_t seed) {
    const double seconds = cue.bars * kBarSeconds;
    switch (cue.kind) {
        case CueKind::Crash:
            return renderCrash(cue.level, seed);
        case CueKind::Riser:
            return renderRiser(seconds, cue.level, seed);
        case CueKind::Downlifter:
            return renderDownlifter(seconds, cue.level, seed);
        case CueKind::Sweep:
            return renderSweep(seconds, cue.level, seed);
        case CueKind::SubDrop:
            return renderSubDrop(seconds, cue.level);
        case CueKind::HitChord:
            break;
    }
    return {};
}

void playCues(Mixer& mixer) {
    for (size_t i = 0; i < kCues.size(); ++i) {
        const Cue& cue = kCues[i];
        const uint32_t seed = seedOf(frameAtBar(cue.bar), 977u + i);
        if (cue.kind == CueKind::HitChord) {
            playHitChord(cue, seed, mixer);
        } else {
            mixer.add(kCueStrips[static_cast<size_t>(cue.kind)], frameAtBar(cue.bar),
                      renderCue(cue, seed));
        }
    }
}

}  // namespace

StereoBuffer renderMix() {
    Mixer mixer(framesOf(kSongSeconds));
    mixer.setKicks(kickFrames());
    for (size_t i = 0; i < kLayers.size(); ++i) {
        playLayer(kLayers[i], i, mixer);
    }
    playCues(mixer);
    return mixer.finish(kDelay, kReverb, kDelayReturnDb, kReverbReturnDb);
}

StereoBuffer renderSoundtrack(MasterReport* report) {
    StereoBuffer programme = renderMix();
    const MasterReport figures = masterProgramme(programme);
    if (report != nullptr) {
        *report = figures;
    }
    return programme;
}

bool writeSoundtrack(const DataTree& tree, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!encodeMp3(interleave(renderSoundtrack()), bytes, error)) {
        return false;
    }
    return tree.write(kMusic.name, bytes, error);
}
