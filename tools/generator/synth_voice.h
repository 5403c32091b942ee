#pragma once
// One note of a subtractive synthesiser, rendered whole into its own StereoBuffer: up to two
// oscillator layers, each a unison stack of detuned voices spread across the stereo field
// (one voice for a plain tone, seven for a supersaw), summed into a resonant low-pass per
// channel whose cutoff follows the key, a filter envelope, the velocity and a brightness
// offset, then shaped by the amplitude envelope. The buffer ends when the release is silent.
// Pitch and cutoff move at a 32-sample control rate; everything else per sample.

#include <array>
#include <cstdint>

#include "tools/generator/envelope.h"
#include "tools/generator/oscillator.h"
#include "tools/generator/stereo_buffer.h"

struct OscillatorLayer {
    Waveform waveform;
    float level;        // 0 leaves the layer out
    int32_t octave;     // relative to the note
    int32_t voices;     // unison voices, 1..9
    float detuneCents;  // the outermost voices' offset from the note
    float width;        // unison spread, 0 centred .. 1 hard left and right
    float pulseWidth;   // for Pulse, the high fraction of a cycle
};

// The low-pass of a patch. Its cutoff is cutoffHz at middle C, plus keyTracking octaves per
// octave of pitch, envelopeOctaves at the envelope's peak, velocityOctaves at velocity 1 and
// the note's brightness offset.
struct PatchFilter {
    float cutoffHz;
    float resonance;  // Q
    float keyTracking;
    float envelopeOctaves;
    AdsrShape envelope;
    float velocityOctaves;
};

struct Vibrato {
    float cents;         // depth
    float hz;            // rate
    float delaySeconds;  // before it fades in, over as long again; 0 cents for none
};

struct SynthPatch {
    std::array<OscillatorLayer, 2> layers;
    AdsrShape amplitude;
    PatchFilter filter;
    Vibrato vibrato{};  // none unless given
    float gain;
};

struct SynthNote {
    double midiNote;
    double gateSeconds;     // held this long, then released
    float velocity;         // 0..1
    float brightnessStart;  // octaves added to the cutoff at the note's start ...
    float brightnessEnd;    // ... moving linearly to this at the gate's end
    uint32_t seed;          // picks the unison voices' starting phases
};

StereoBuffer renderSynthNote(const SynthPatch& patch, const SynthNote& note);
