#pragma once
// The band that plays the song: one row per layer of SectionLayers, naming the sound (a drum
// voice or a synthesiser patch), the transposition, whether the song's brightness curve opens
// and closes its filter, and its channel strip on the mixer. Also the strips and patches of
// the one-off cues. Sound design lives here; what is played, and when, lives in song.h.

#include <array>

#include "tools/generator/drums.h"
#include "tools/generator/mixer.h"
#include "tools/generator/sequencer.h"
#include "tools/generator/synth_voice.h"

struct Layer {
    const char* name;
    LayerPatterns patterns;
    DrumVoice drum;           // nullptr for a synthesiser layer
    const SynthPatch* patch;  // nullptr for a drum layer
    int32_t transpose;        // semitones
    bool followsBrightness;
    ChannelStrip strip;
};

constexpr size_t kLayerCount = 13;
extern const std::array<Layer, kLayerCount> kLayers;

// The layer whose hits drive the mixer's sidechain.
const Layer& kickLayer();

// The strip of each CueKind, indexed by it.
extern const std::array<ChannelStrip, 6> kCueStrips;
// The big chord of the hit.
extern const SynthPatch kHitPatch;
