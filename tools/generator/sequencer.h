#pragma once
// Reads the song's tables (song.h) into timed notes. A layer's notes come from walking every
// section bar by bar through the pattern the layer plays there: pitches take the bar's chord
// by the pattern's rule, odd sixteenths move late by the section's swing, and drum hits become
// notes of MIDI number 0. Times are in frames of kAudioRate from the song's start.

#include <cstdint>
#include <span>
#include <vector>

#include "tools/generator/song.h"

struct NoteEvent {
    int64_t startFrame;
    double startBar;     // the same moment in bars, for curves
    double gateSeconds;  // how long the note is held
    int32_t midiNote;
    float velocity;  // 0..1
};

using LayerPatterns = const Pattern* SectionLayers::*;

// Every note of one layer in time order.
std::vector<NoteEvent> layerNotes(LayerPatterns layer);

// The section holding `bar`, or nullptr past the song's end.
const Section* sectionAt(int32_t bar);
// The chord of a bar; the intro's first chord outside the song.
const Chord& chordAt(int32_t bar);

// The frame at a song position in bars.
int64_t frameAtBar(double bar);
// A curve's value at a song position in bars; the end values hold outside it.
float curveAt(std::span<const Breakpoint> curve, double bar);
