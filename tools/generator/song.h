#pragma once
// The soundtrack's composition as data: tempo, chords, patterns, the sections that place them
// and the one-off cues, all in bars and sixteenth-note steps. Code walks these tables (see
// sequencer.h); nothing here makes sound.
//
// NOTE: 96 beats per minute makes a 4/4 bar exactly 2.5 s, so every scene change of the demo
// falls on a downbeat with no offset: 10 s is bar 4, 85 s bar 34, 120 s bar 48, the flash at
// 155 s bar 62, 180 s bar 72 and the end at 190 s bar 76. A bar is exactly 110250 samples.

#include <array>
#include <cstdint>
#include <span>

constexpr double kBeatsPerMinute = 96.0;
constexpr int32_t kStepsPerBar = 16;  // sixteenth notes
constexpr double kBarSeconds = 4.0 * 60.0 / kBeatsPerMinute;
constexpr double kStepSeconds = kBarSeconds / kStepsPerBar;
constexpr int32_t kSongBars = 76;       // the music, 190 s
constexpr double kSongSeconds = 192.0;  // the file: the music and two seconds of silence

// A chord: the bass's root and four tones voiced around middle C, MIDI note numbers.
struct Chord {
    const char* name;
    int32_t root;
    std::array<int32_t, 4> tones;
};

enum ChordName : int8_t { kAm, kF, kC, kG, kEm, kDm };
extern const std::array<Chord, 6> kChords;

// How a pattern note's pitch reads.
enum class PitchRule {
    Absolute,    // a MIDI note number
    AboveRoot,   // semitones above the bar's chord root
    ChordTone,   // an index into the bar's chord tones; each 4 up adds an octave
    WholeChord,  // every tone of the bar's chord, shifted by this many semitones
};

struct PatternNote {
    int32_t step;   // from the pattern's start
    int32_t steps;  // held for
    int32_t pitch;  // read by the pattern's PitchRule
    float velocity;
};

// A loop of whole bars. Drum patterns are `hits`, one character a step: '.' rests and a digit
// 1..9 strikes at that ninth of full velocity. Melodic patterns list `notes`.
struct Pattern {
    int32_t bars;
    PitchRule rule;
    std::span<const PatternNote> notes;
    const char* hits;
};

// What each layer of the band plays in a section; nullptr is silence.
struct SectionLayers {
    const Pattern* kick = nullptr;
    const Pattern* snare = nullptr;
    const Pattern* clap = nullptr;
    const Pattern* closedHat = nullptr;
    const Pattern* openHat = nullptr;
    const Pattern* shaker = nullptr;
    const Pattern* bass = nullptr;
    const Pattern* pad = nullptr;
    const Pattern* arp = nullptr;
    const Pattern* stab = nullptr;
    const Pattern* lead = nullptr;
    const Pattern* leadHigh = nullptr;
    const Pattern* sparkle = nullptr;
};

// Bars [firstBar, firstBar + bars). Patterns and the progression restart at the first bar
// and repeat bar by bar; swing delays every second sixteenth by that fraction of a step.
struct Section {
    const char* name;
    int32_t firstBar;
    int32_t bars;
    std::span<const int8_t> progression;  // ChordName a bar
    float swing;
    SectionLayers layers;
};

extern const std::array<Section, 15> kSections;

enum class CueKind { Crash, Riser, Downlifter, Sweep, SubDrop, HitChord };

// A one-off sound at a bar (fractions allowed), lasting `bars` where it has a length.
struct Cue {
    CueKind kind;
    double bar;
    double bars;
    float level;
};

extern const std::array<Cue, 21> kCues;

// A breakpoint of a curve over the song; between points values move linearly, and two points
// at one bar make a step.
struct Breakpoint {
    double bar;
    float value;
};

// Octaves added to the cutoff of the layers that follow it: the intro's muffled pads, the
// finale's filter opening up to the hit.
extern const std::array<Breakpoint, 10> kBrightness;
// The master level, 0..1 amplitude (applied squared, so the fade sounds even).
extern const std::array<Breakpoint, 8> kMasterLevel;
