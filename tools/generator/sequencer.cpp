#include "tools/generator/sequencer.h"

#include <algorithm>

#include "tools/generator/stereo_buffer.h"

namespace {

// The bar position of a step in a bar, with the section's swing.
double stepBar(int32_t bar, int32_t step, float swing) {
    const double late = step % 2 == 1 ? swing : 0.0;
    return bar + (step + late) / kStepsPerBar;
}

void addNote(std::vector<NoteEvent>& notes, double bar, int32_t steps, int32_t midiNote,
             float velocity) {
    notes.push_back({frameAtBar(bar), bar, steps * kStepSeconds, midiNote, velocity});
}

void addHits(const Pattern& pattern, const Section& section, int32_t bar,
             std::vector<NoteEvent>& notes) {
    const int32_t patternBar = (bar - section.firstBar) % pattern.bars;
    for (int32_t step = 0; step < kStepsPerBar; ++step) {
        const char hit = pattern.hits[patternBar * kStepsPerBar + step];
        if (hit >= '1' && hit <= '9') {
            addNote(notes, stepBar(bar, step, section.swing), 1, 0,
                    static_cast<float>(hit - '0') / 9.0f);
        }
    }
}

void addPitches(const PatternNote& note, const Chord& chord, PitchRule rule, double bar,
                std::vector<NoteEvent>& notes) {
    switch (rule) {
        case PitchRule::Absolute:
            addNote(notes, bar, note.steps, note.pitch, note.velocity);
            break;
        case PitchRule::AboveRoot:
            addNote(notes, bar, note.steps, chord.root + note.pitch, note.velocity);
            break;
        case PitchRule::ChordTone: {
            const int32_t octave = note.pitch / 4;
            const int32_t tone = chord.tones[static_cast<size_t>(note.pitch % 4)];
            addNote(notes, bar, note.steps, tone + 12 * octave, note.velocity);
            break;
        }
        case PitchRule::WholeChord:
            for (const int32_t tone : chord.tones) {
                addNote(notes, bar, note.steps, tone + note.pitch, note.velocity);
            }
            break;
    }
}

// The melodic notes starting in `bar`: a pattern's notes may hold across its bar lines.
void addMelody(const Pattern& pattern, const Section& section, int32_t bar,
               std::vector<NoteEvent>& notes) {
    const int32_t patternBar = (bar - section.firstBar) % pattern.bars;
    const Chord& chord = chordAt(bar);
    for (const PatternNote& note : pattern.notes) {
        if (note.step / kStepsPerBar != patternBar) {
            continue;
        }
        const int32_t step = note.step % kStepsPerBar;
        addPitches(note, chord, pattern.rule, stepBar(bar, step, section.swing), notes);
    }
}

}  // namespace

std::vector<NoteEvent> layerNotes(LayerPatterns layer) {
    std::vector<NoteEvent> notes;
    for (const Section& section : kSections) {
        const Pattern* pattern = section.layers.*layer;
        if (pattern == nullptr) {
            continue;
        }
        for (int32_t bar = section.firstBar; bar < section.firstBar + section.bars; ++bar) {
            if (pattern->hits != nullptr) {
                addHits(*pattern, section, bar, notes);
            } else {
                addMelody(*pattern, section, bar, notes);
            }
        }
    }
    std::stable_sort(notes.begin(), notes.end(), [](const NoteEvent& a, const NoteEvent& b) {
        return a.startFrame < b.startFrame;
    });
    return notes;
}

const Section* sectionAt(int32_t bar) {
    for (const Section& section : kSections) {
        if (bar >= section.firstBar && bar < section.firstBar + section.bars) {
            return &section;
        }
    }
    return nullptr;
}

const Chord& chordAt(int32_t bar) {
    const Section* section = sectionAt(bar);
    if (section == nullptr) {
        section = &kSections.front();
        bar = section->firstBar;
    }
    const size_t index = static_cast<size_t>(bar - section->firstBar) % section->progression.size();
    return kChords[static_cast<size_t>(section->progression[index])];
}

int64_t frameAtBar(double bar) {
    return framesOf(bar * kBarSeconds);
}

float curveAt(std::span<const Breakpoint> curve, double bar) {
    if (bar <= curve.front().bar) {
        return curve.front().value;
    }
    for (size_t i = 1; i < curve.size(); ++i) {
        const Breakpoint& a = curve[i - 1];
        const Breakpoint& b = curve[i];
        if (bar < b.bar) {
            const double t = (bar - a.bar) / (b.bar - a.bar);
            return static_cast<float>(a.value + (b.value - a.value) * t);
        }
    }
    return curve.back().value;
}
