#include "tools/generator/sequencer.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tools/generator/instruments.h"
#include "tools/generator/stereo_buffer.h"

namespace {

double barSeconds(double bar) {
    return bar * kBarSeconds;
}

TEST(Song, SectionsTileTheMusicInOrder) {
    int32_t nextBar = 0;
    for (const Section& section : kSections) {
        EXPECT_EQ(section.firstBar, nextBar) << section.name;
        EXPECT_GT(section.bars, 0) << section.name;
        EXPECT_FALSE(section.progression.empty()) << section.name;
        nextBar = section.firstBar + section.bars;
    }
    EXPECT_EQ(nextBar, kSongBars);
    EXPECT_LE(barSeconds(kSongBars), kSongSeconds);
}

const Section& sectionStartingAt(double seconds) {
    for (const Section& section : kSections) {
        if (barSeconds(section.firstBar) == seconds) {
            return section;
        }
    }
    ADD_FAILURE() << "no section starts at " << seconds << " s";
    return kSections.front();
}

TEST(Song, TheDemosSceneChangesLandOnSectionStarts) {
    EXPECT_NE(sectionStartingAt(10.0).layers.kick, nullptr);     // the tour's groove
    EXPECT_NE(sectionStartingAt(85.0).layers.sparkle, nullptr);  // the tunnel's brightness
    sectionStartingAt(120.0);                                    // the finale
    EXPECT_EQ(sectionStartingAt(180.0).layers.kick, nullptr);    // the outro
    bool hitAt155 = false;
    for (const Cue& cue : kCues) {
        hitAt155 |= cue.kind == CueKind::HitChord && barSeconds(cue.bar) == 155.0;
    }
    EXPECT_TRUE(hitAt155);
    EXPECT_EQ(curveAt(kMasterLevel, 190.0 / kBarSeconds), 0.0f);
    EXPECT_EQ(frameAtBar(62.0), 155 * kAudioRate);
}

void expectPlayable(const Pattern& pattern, const char* section) {
    ASSERT_GT(pattern.bars, 0) << section;
    const int32_t steps = pattern.bars * kStepsPerBar;
    if (pattern.hits != nullptr) {
        ASSERT_EQ(std::strlen(pattern.hits), static_cast<size_t>(steps)) << section;
        for (int32_t i = 0; i < steps; ++i) {
            const char c = pattern.hits[i];
            EXPECT_TRUE(c == '.' || (c >= '1' && c <= '9')) << section << " step " << i;
        }
        return;
    }
    ASSERT_FALSE(pattern.notes.empty()) << section;
    for (const PatternNote& note : pattern.notes) {
        EXPECT_GE(note.step, 0) << section;
        EXPECT_LT(note.step, steps) << section;
        EXPECT_GT(note.steps, 0) << section;
        EXPECT_GT(note.velocity, 0.0f) << section;
        EXPECT_LE(note.velocity, 1.0f) << section;
        if (pattern.rule == PitchRule::ChordTone) {
            EXPECT_GE(note.pitch, 0) << section;
        }
    }
}

TEST(Song, EveryPatternTheBandPlaysIsWellFormed) {
    for (const Section& section : kSections) {
        for (const Layer& layer : kLayers) {
            const Pattern* pattern = section.layers.*layer.patterns;
            if (pattern != nullptr) {
                expectPlayable(*pattern, section.name);
                // Drums read hits, synthesisers notes.
                EXPECT_EQ(pattern->hits != nullptr, layer.drum != nullptr)
                    << section.name << " " << layer.name;
            }
        }
    }
}

TEST(Sequencer, NotesFallInsideTheMusicInTimeOrderAndInTune) {
    for (const Layer& layer : kLayers) {
        const std::vector<NoteEvent> notes = layerNotes(layer.patterns);
        ASSERT_FALSE(notes.empty()) << layer.name;
        int64_t previous = 0;
        for (const NoteEvent& note : notes) {
            EXPECT_GE(note.startFrame, previous) << layer.name;
            EXPECT_LT(note.startFrame, frameAtBar(kSongBars)) << layer.name;
            EXPECT_GT(note.gateSeconds, 0.0) << layer.name;
            if (layer.patch != nullptr) {
                // From E1 (41 Hz) to G6 (1568 Hz): audible, and no aliasing saws.
                EXPECT_GE(note.midiNote + layer.transpose, 28) << layer.name;
                EXPECT_LE(note.midiNote + layer.transpose, 96) << layer.name;
            }
            previous = note.startFrame;
        }
    }
}

TEST(Curves, InterpolateBetweenPointsAndStepWhereTwoShareABar) {
    const Breakpoint curve[] = {{0.0, 0.0f}, {4.0, 1.0f}, {4.0, -1.0f}, {8.0, 0.0f}};
    EXPECT_EQ(curveAt(curve, -1.0), 0.0f);
    EXPECT_FLOAT_EQ(curveAt(curve, 2.0), 0.5f);
    EXPECT_FLOAT_EQ(curveAt(curve, 3.999), 0.99975f);
    EXPECT_EQ(curveAt(curve, 4.0), -1.0f);
    EXPECT_FLOAT_EQ(curveAt(curve, 6.0), -0.5f);
    EXPECT_EQ(curveAt(curve, 9.0), 0.0f);
}

}  // namespace
