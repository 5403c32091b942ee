#include "tools/generator/instruments.h"

namespace {

constexpr OscillatorLayer kNoLayer = {Waveform::Sine, 0.0f, 0, 1, 0.0f, 0.0f, 0.5f};

// A wide supersaw over a thinner one an octave down, slow to swell and slow to fade.
constexpr SynthPatch kPadPatch = {
    .layers = {{{Waveform::Saw, 1.0f, 0, 7, 18.0f, 0.9f, 0.5f},
                {Waveform::Saw, 0.5f, -1, 3, 9.0f, 0.5f, 0.5f}}},
    .amplitude = {0.45f, 1.5f, 0.8f, 1.6f},
    .filter = {2200.0f, 0.8f, 0.3f, 0.7f, {0.8f, 2.0f, 0.2f, 1.5f}, 0.4f},
    .gain = 0.32f,
};

// A saw and a sine at the note: the sine carries the weight, the saw's plucked filter the bite.
constexpr SynthPatch kBassPatch = {
    .layers = {{{Waveform::Saw, 0.9f, 0, 2, 6.0f, 0.15f, 0.5f},
                {Waveform::Sine, 0.9f, 0, 1, 0.0f, 0.0f, 0.5f}}},
    .amplitude = {0.003f, 0.3f, 0.7f, 0.06f},
    .filter = {240.0f, 1.1f, 0.5f, 2.2f, {0.002f, 0.18f, 0.0f, 0.1f}, 0.6f},
    .gain = 0.55f,
};

// A hollow pulse pluck with a saw an octave up.
constexpr SynthPatch kArpPatch = {
    .layers = {{{Waveform::Pulse, 1.0f, 0, 2, 7.0f, 0.6f, 0.35f},
                {Waveform::Saw, 0.4f, 1, 1, 0.0f, 0.0f, 0.5f}}},
    .amplitude = {0.002f, 0.35f, 0.0f, 0.15f},
    .filter = {1100.0f, 1.3f, 0.6f, 3.0f, {0.001f, 0.15f, 0.0f, 0.1f}, 0.8f},
    .gain = 0.34f,
};

// Short supersaw chords for the off-beats.
constexpr SynthPatch kStabPatch = {
    .layers = {{{Waveform::Saw, 1.0f, 0, 5, 14.0f, 0.8f, 0.5f}, kNoLayer}},
    .amplitude = {0.003f, 0.28f, 0.0f, 0.18f},
    .filter = {1600.0f, 1.0f, 0.3f, 2.0f, {0.001f, 0.2f, 0.0f, 0.1f}, 0.5f},
    .gain = 0.3f,
};

// A singing saw lead with a pulse an octave down and a delayed vibrato.
constexpr SynthPatch kLeadPatch = {
    .layers = {{{Waveform::Saw, 1.0f, 0, 3, 9.0f, 0.4f, 0.5f},
                {Waveform::Pulse, 0.45f, -1, 1, 0.0f, 0.0f, 0.3f}}},
    .amplitude = {0.012f, 0.4f, 0.75f, 0.22f},
    .filter = {3000.0f, 1.2f, 0.5f, 1.2f, {0.005f, 0.35f, 0.3f, 0.2f}, 0.6f},
    .vibrato = {14.0f, 5.2f, 0.3f},
    .gain = 0.4f,
};

// The finale's octave doubling: a bright, wide supersaw.
constexpr SynthPatch kLeadHighPatch = {
    .layers = {{{Waveform::Saw, 1.0f, 0, 7, 20.0f, 1.0f, 0.5f}, kNoLayer}},
    .amplitude = {0.02f, 0.5f, 0.8f, 0.3f},
    .filter = {4500.0f, 0.8f, 0.3f, 0.8f, {0.01f, 0.4f, 0.3f, 0.2f}, 0.4f},
    .vibrato = {10.0f, 5.2f, 0.3f},
    .gain = 0.25f,
};

// Short bright saws for the tunnel's sixteenths, harmonics well into the 8-14 kHz range.
constexpr SynthPatch kSparklePatch = {
    .layers = {{{Waveform::Saw, 1.0f, 0, 2, 8.0f, 0.8f, 0.5f},
                {Waveform::Pulse, 0.6f, 1, 1, 0.0f, 0.0f, 0.25f}}},
    .amplitude = {0.001f, 0.12f, 0.0f, 0.08f},
    .filter = {5000.0f, 1.8f, 0.5f, 1.5f, {0.001f, 0.08f, 0.0f, 0.05f}, 0.5f},
    .gain = 0.25f,
};

}  // namespace

// Nine wide saws over five an octave down, open and long.
const SynthPatch kHitPatch = {
    .layers = {{{Waveform::Saw, 1.0f, 0, 9, 22.0f, 1.0f, 0.5f},
                {Waveform::Saw, 0.8f, -1, 5, 14.0f, 0.7f, 0.5f}}},
    .amplitude = {0.002f, 2.0f, 0.25f, 1.8f},
    .filter = {6000.0f, 0.8f, 0.0f, 1.0f, {0.001f, 1.5f, 0.0f, 1.0f}, 0.0f},
    .gain = 0.4f,
};

// clang-format off
// Strips: gain dB, pan, reverb send, delay send, duck depth.
const std::array<Layer, kLayerCount> kLayers = {{
    {"kick",      &SectionLayers::kick,      renderKick,      nullptr,         0,  false, {-6,  0,     0.02, 0,    0}},
    {"snare",     &SectionLayers::snare,     renderSnare,     nullptr,         0,  false, {-7,  0.05,  0.25, 0,    0}},
    {"clap",      &SectionLayers::clap,      renderClap,      nullptr,         0,  false, {-6,  -0.05, 0.3,  0.05, 0}},
    {"hat",       &SectionLayers::closedHat, renderClosedHat, nullptr,         0,  false, {-10, 0.3,   0.05, 0,    0}},
    {"open hat",  &SectionLayers::openHat,   renderOpenHat,   nullptr,         0,  false, {-15, -0.3,  0.1,  0,    0.3}},
    {"shaker",    &SectionLayers::shaker,    renderShaker,    nullptr,         0,  false, {-13, -0.45, 0.1,  0.1,  0}},
    {"bass",      &SectionLayers::bass,      nullptr,         &kBassPatch,     0,  false, {-5,  0,     0,    0,    0.75}},
    {"pad",       &SectionLayers::pad,       nullptr,         &kPadPatch,      0,  true,  {-8,  0,     0.35, 0,    0.6}},
    {"arp",       &SectionLayers::arp,       nullptr,         &kArpPatch,      12, true,  {-7,  0.2,   0.25, 0.4,  0.35}},
    {"stab",      &SectionLayers::stab,      nullptr,         &kStabPatch,     0,  true,  {-9,  -0.15, 0.3,  0.25, 0.4}},
    {"lead",      &SectionLayers::lead,      nullptr,         &kLeadPatch,     0,  false, {-6,  0,     0.25, 0.3,  0.2}},
    {"lead high", &SectionLayers::leadHigh,  nullptr,         &kLeadHighPatch, 12, false, {-8,  0,     0.3,  0.3,  0.3}},
    {"sparkle",   &SectionLayers::sparkle,   nullptr,         &kSparklePatch,  0,  true,  {-4,  -0.25, 0.2,  0.35, 0.3}},
}};

// Crash, riser, downlifter, sweep, sub drop, hit chord.
const std::array<ChannelStrip, 6> kCueStrips = {{
    {-13, 0.1, 0.2, 0,   0},
    {-14, 0,   0.3, 0,   0},
    {-14, 0,   0.3, 0,   0},
    {-15, 0,   0.3, 0.1, 0},
    {-6,  0,   0,   0,   0},
    {-10, 0,   0.45, 0.2, 0},
}};
// clang-format on

const Layer& kickLayer() {
    return kLayers[0];
}
