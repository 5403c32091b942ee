#include "tools/generator/song.h"

// A minor throughout. The main progression Am-F-C-G carries the intro, the groove and the
// finale; the groove's third section turns to F-G-Em-Am-Dm-F-G-G for contrast, and the tunnel
// rocks between Am and F-G over a rolling bass.

const std::array<Chord, 6> kChords = {{
    {"Am7", 33, {57, 60, 64, 67}},
    {"Fmaj7", 29, {53, 57, 60, 64}},
    {"C", 36, {55, 60, 64, 67}},
    {"G", 31, {55, 59, 62, 67}},
    {"Em7", 28, {55, 59, 62, 64}},
    {"Dm7", 38, {53, 57, 60, 62}},
}};

namespace {

constexpr int8_t kMainProgression[] = {kAm, kF, kC, kG};
constexpr int8_t kAltProgression[] = {kF, kG, kEm, kAm, kDm, kF, kG, kG};
constexpr int8_t kTurnProgression[] = {kF, kG};
constexpr int8_t kTunnelProgression[] = {kAm, kAm, kF, kG};
constexpr int8_t kOutroProgression[] = {kAm, kF, kAm, kAm};

// Drums, one character a sixteenth.
constexpr Pattern kKickGroove = {4,
                                 PitchRule::Absolute,
                                 {},
                                 "9.......9.6....."
                                 "9.......9.6....."
                                 "9.......9.6....."
                                 "9.......9.6...6."};
constexpr Pattern kKickTurn = {2,
                               PitchRule::Absolute,
                               {},
                               "9.......9.6....."
                               "9.....6.9.6.6.6."};
constexpr Pattern kKickFour = {1, PitchRule::Absolute, {}, "9...9...9...9..."};
constexpr Pattern kKickRoll = {2,
                               PitchRule::Absolute,
                               {},
                               "9...9...9...9..."
                               "9...9...9.9.9..."};
constexpr Pattern kBackbeat = {1, PitchRule::Absolute, {}, "....9.......9..."};
constexpr Pattern kBackbeatFill = {4,
                                   PitchRule::Absolute,
                                   {},
                                   "....9.......9..."
                                   "....9.......9..."
                                   "....9.......9..."
                                   "....9.......9.54"};
constexpr Pattern kSnareTurn = {2,
                                PitchRule::Absolute,
                                {},
                                "....9.......9..."
                                "....9...4.5.9678"};
// Eighths, then sixteenths swelling to the stop three sixteenths before the hit.
constexpr Pattern kSnareRoll = {2,
                                PitchRule::Absolute,
                                {},
                                "4.4.4.5.5.5.6.6."
                                "666677778899...."};
constexpr Pattern kHatsGroove = {1, PitchRule::Absolute, {}, "5.3.5.3.5.3.5.34"};
constexpr Pattern kHats16 = {1, PitchRule::Absolute, {}, "5242524252425243"};
// The tunnel's hats peak on the off-beat eighths, so the top of the spectrum pulses.
constexpr Pattern kHatsDrive = {1, PitchRule::Absolute, {}, "4494449444944494"};
constexpr Pattern kHatsRoll = {2,
                               PitchRule::Absolute,
                               {},
                               "5242524252425243"
                               "524252425242...."};
constexpr Pattern kHatsSoft = {1, PitchRule::Absolute, {}, "3232323232323232"};
constexpr Pattern kOpenHatBarEnd = {2,
                                    PitchRule::Absolute,
                                    {},
                                    "................"
                                    "..............6."};
constexpr Pattern kOpenHatOffbeat = {1, PitchRule::Absolute, {}, "..7...7...7...7."};
constexpr Pattern kShakerGroove = {1, PitchRule::Absolute, {}, "3535353535353535"};
constexpr Pattern kShakerDrive = {1, PitchRule::Absolute, {}, "6363636363636363"};

// Bass, semitones above the chord root.
constexpr PatternNote kBassGrooveNotes[] = {
    {0, 3, 0, 1.0f}, {3, 1, 0, 0.55f},  {6, 2, 12, 0.8f},
    {8, 3, 0, 0.9f}, {11, 1, 0, 0.55f}, {14, 2, 7, 0.75f},
};
constexpr PatternNote kBassAltNotes[] = {
    {0, 6, 0, 1.0f}, {6, 2, 12, 0.75f}, {8, 2, 0, 0.9f}, {10, 2, 7, 0.7f}, {12, 4, 12, 0.8f},
};
constexpr PatternNote kBassRollingNotes[] = {
    {1, 1, 0, 0.8f},   {2, 1, 0, 0.65f}, {3, 1, 12, 0.8f},  {5, 1, 0, 0.8f},
    {6, 1, 0, 0.65f},  {7, 1, 12, 0.8f}, {9, 1, 0, 0.8f},   {10, 1, 0, 0.65f},
    {11, 1, 12, 0.8f}, {13, 1, 0, 0.8f}, {14, 1, 7, 0.65f}, {15, 1, 12, 0.8f},
};
constexpr PatternNote kBassOffbeatNotes[] = {
    {2, 2, 0, 1.0f},
    {6, 2, 0, 0.9f},
    {10, 2, 0, 1.0f},
    {14, 2, 12, 0.9f},
};
constexpr PatternNote kBassHoldNotes[] = {{0, 15, 0, 0.8f}};
constexpr Pattern kBassGroove = {1, PitchRule::AboveRoot, kBassGrooveNotes, nullptr};
constexpr Pattern kBassAlt = {1, PitchRule::AboveRoot, kBassAltNotes, nullptr};
constexpr Pattern kBassRolling = {1, PitchRule::AboveRoot, kBassRollingNotes, nullptr};
constexpr Pattern kBassOffbeat = {1, PitchRule::AboveRoot, kBassOffbeatNotes, nullptr};
constexpr Pattern kBassHold = {1, PitchRule::AboveRoot, kBassHoldNotes, nullptr};

// Chords.
constexpr PatternNote kPadBarNotes[] = {{0, 16, 0, 0.8f}};
constexpr PatternNote kPadStopNotes[] = {{0, 16, 0, 0.8f}, {16, 11, 0, 0.9f}};
constexpr PatternNote kStabOffbeatNotes[] = {
    {2, 1, 0, 0.8f}, {6, 1, 0, 0.6f}, {10, 1, 0, 0.8f}, {13, 1, 0, 0.5f}, {14, 1, 0, 0.7f},
};
constexpr Pattern kPadBar = {1, PitchRule::WholeChord, kPadBarNotes, nullptr};
constexpr Pattern kPadStop = {2, PitchRule::WholeChord, kPadStopNotes, nullptr};
constexpr Pattern kStabOffbeat = {1, PitchRule::WholeChord, kStabOffbeatNotes, nullptr};

// Arpeggios, chord-tone indices.
constexpr PatternNote kArpEighthsNotes[] = {
    {0, 2, 0, 0.8f}, {2, 2, 1, 0.6f},  {4, 2, 2, 0.7f},  {6, 2, 3, 0.6f},
    {8, 2, 4, 0.8f}, {10, 2, 3, 0.6f}, {12, 2, 2, 0.7f}, {14, 2, 1, 0.6f},
};
constexpr PatternNote kArpGrooveNotes[] = {
    {0, 2, 0, 0.8f}, {3, 1, 2, 0.6f},  {4, 2, 4, 0.7f},  {6, 2, 1, 0.5f},
    {8, 2, 3, 0.8f}, {11, 1, 2, 0.6f}, {12, 2, 4, 0.7f}, {14, 2, 5, 0.6f},
};
constexpr PatternNote kSparkleNotes[] = {
    {0, 1, 0, 0.9f},  {1, 1, 1, 0.5f},  {2, 1, 2, 0.7f},  {3, 1, 4, 0.5f},
    {4, 1, 1, 0.8f},  {5, 1, 2, 0.5f},  {6, 1, 4, 0.7f},  {7, 1, 5, 0.5f},
    {8, 1, 2, 0.9f},  {9, 1, 4, 0.5f},  {10, 1, 5, 0.7f}, {11, 1, 6, 0.5f},
    {12, 1, 4, 0.8f}, {13, 1, 5, 0.5f}, {14, 1, 6, 0.7f}, {15, 1, 8, 0.6f},
};
constexpr Pattern kArpEighths = {1, PitchRule::ChordTone, kArpEighthsNotes, nullptr};
constexpr Pattern kArpGroove = {1, PitchRule::ChordTone, kArpGrooveNotes, nullptr};
constexpr Pattern kSparkle = {1, PitchRule::ChordTone, kSparkleNotes, nullptr};

// Melodies, MIDI notes: a question and an answer over Am-F-C-G, a line over the alternative
// progression, long notes for the tunnel and a two-bar turn over F-G.
constexpr PatternNote kLeadThemeNotes[] = {
    // question
    {0, 4, 76, 0.9f},
    {4, 2, 74, 0.7f},
    {6, 2, 72, 0.7f},
    {8, 4, 76, 0.8f},
    {12, 2, 79, 0.7f},
    {14, 2, 81, 0.8f},
    {16, 6, 81, 0.9f},
    {22, 2, 79, 0.7f},
    {24, 4, 77, 0.8f},
    {28, 4, 76, 0.7f},
    {32, 4, 76, 0.9f},
    {36, 4, 79, 0.8f},
    {40, 2, 79, 0.7f},
    {42, 2, 76, 0.7f},
    {44, 2, 74, 0.7f},
    {46, 2, 72, 0.7f},
    {48, 8, 74, 0.9f},
    {56, 4, 71, 0.7f},
    {60, 4, 74, 0.8f},
    // answer
    {64, 2, 72, 0.8f},
    {66, 2, 76, 0.7f},
    {68, 4, 81, 0.9f},
    {72, 2, 79, 0.7f},
    {74, 2, 76, 0.7f},
    {76, 4, 74, 0.8f},
    {80, 4, 72, 0.9f},
    {84, 4, 69, 0.7f},
    {88, 2, 72, 0.7f},
    {90, 2, 74, 0.7f},
    {92, 4, 76, 0.8f},
    {96, 6, 79, 0.9f},
    {102, 2, 76, 0.7f},
    {104, 2, 74, 0.7f},
    {106, 2, 72, 0.7f},
    {108, 4, 76, 0.8f},
    {112, 2, 71, 0.8f},
    {114, 2, 74, 0.7f},
    {116, 8, 79, 0.9f},
    {124, 2, 76, 0.7f},
    {126, 2, 74, 0.7f},
};
constexpr PatternNote kLeadAltNotes[] = {
    {0, 8, 69, 0.8f},   {8, 4, 72, 0.7f},   {12, 4, 69, 0.7f},  {16, 8, 71, 0.8f},
    {24, 8, 74, 0.8f},  {32, 12, 76, 0.9f}, {44, 4, 74, 0.7f},  {48, 8, 72, 0.8f},
    {56, 4, 76, 0.7f},  {60, 4, 79, 0.8f},  {64, 6, 77, 0.9f},  {70, 2, 76, 0.7f},
    {72, 8, 74, 0.8f},  {80, 8, 72, 0.8f},  {88, 8, 69, 0.7f},  {96, 4, 71, 0.8f},
    {100, 4, 74, 0.8f}, {104, 8, 79, 0.9f}, {112, 8, 79, 0.8f}, {120, 8, 74, 0.8f},
};
constexpr PatternNote kLeadTunnelNotes[] = {
    {0, 8, 76, 0.9f},  {8, 8, 81, 0.9f},  {16, 12, 79, 0.8f}, {28, 4, 76, 0.7f},
    {32, 8, 77, 0.9f}, {40, 8, 81, 0.8f}, {48, 8, 79, 0.9f},  {56, 8, 74, 0.8f},
};
constexpr PatternNote kLeadTurnNotes[] = {
    {0, 8, 72, 0.8f},
    {8, 8, 69, 0.7f},
    {16, 8, 71, 0.8f},
    {24, 8, 74, 0.9f},
};
constexpr Pattern kLeadTheme = {8, PitchRule::Absolute, kLeadThemeNotes, nullptr};
constexpr Pattern kLeadAlt = {8, PitchRule::Absolute, kLeadAltNotes, nullptr};
constexpr Pattern kLeadTunnel = {4, PitchRule::Absolute, kLeadTunnelNotes, nullptr};
constexpr Pattern kLeadTurn = {2, PitchRule::Absolute, kLeadTurnNotes, nullptr};

}  // namespace

const std::array<Section, 15> kSections = {{
    // 0 s, the title: pads and a soft arpeggio.
    {.name = "intro",
     .firstBar = 0,
     .bars = 4,
     .progression = kMainProgression,
     .swing = 0.0f,
     .layers = {.pad = &kPadBar, .arp = &kArpEighths}},
    // 10 s, the laboratory tour.
    {.name = "groove",
     .firstBar = 4,
     .bars = 8,
     .progression = kMainProgression,
     .swing = 0.1f,
     .layers = {.kick = &kKickGroove,
                .snare = &kBackbeat,
                .closedHat = &kHatsGroove,
                .bass = &kBassGroove,
                .pad = &kPadBar,
                .arp = &kArpGroove}},
    {.name = "groove with theme",
     .firstBar = 12,
     .bars = 8,
     .progression = kMainProgression,
     .swing = 0.1f,
     .layers = {.kick = &kKickGroove,
                .snare = &kBackbeatFill,
                .closedHat = &kHats16,
                .openHat = &kOpenHatBarEnd,
                .bass = &kBassGroove,
                .pad = &kPadBar,
                .arp = &kArpGroove,
                .lead = &kLeadTheme}},
    {.name = "groove turned",
     .firstBar = 20,
     .bars = 8,
     .progression = kAltProgression,
     .swing = 0.1f,
     .layers = {.kick = &kKickGroove,
                .snare = &kBackbeat,
                .clap = &kBackbeat,
                .closedHat = &kHats16,
                .openHat = &kOpenHatBarEnd,
                .shaker = &kShakerGroove,
                .bass = &kBassAlt,
                .pad = &kPadBar,
                .stab = &kStabOffbeat,
                .lead = &kLeadAlt}},
    {.name = "groove recalled",
     .firstBar = 28,
     .bars = 4,
     .progression = kMainProgression,
     .swing = 0.1f,
     .layers = {.kick = &kKickGroove,
                .snare = &kBackbeat,
                .clap = &kBackbeat,
                .closedHat = &kHats16,
                .openHat = &kOpenHatBarEnd,
                .shaker = &kShakerGroove,
                .bass = &kBassGroove,
                .pad = &kPadBar,
                .arp = &kArpGroove,
                .lead = &kLeadTheme}},
    {.name = "turn to the tunnel",
     .firstBar = 32,
     .bars = 2,
     .progression = kTurnProgression,
     .swing = 0.1f,
     .layers = {.kick = &kKickTurn,
                .snare = &kSnareTurn,
                .closedHat = &kHats16,
                .bass = &kBassHold,
                .pad = &kPadBar,
                .arp = &kArpGroove,
                .lead = &kLeadTurn}},
    // 85 s, the tunnel: straight sixteenths, bright and driving.
    {.name = "tunnel",
     .firstBar = 34,
     .bars = 8,
     .progression = kTunnelProgression,
     .swing = 0.0f,
     .layers = {.kick = &kKickFour,
                .clap = &kBackbeat,
                .closedHat = &kHatsDrive,
                .openHat = &kOpenHatOffbeat,
                .shaker = &kShakerDrive,
                .bass = &kBassRolling,
                .pad = &kPadBar,
                .sparkle = &kSparkle}},
    {.name = "tunnel with lead",
     .firstBar = 42,
     .bars = 6,
     .progression = kTunnelProgression,
     .swing = 0.0f,
     .layers = {.kick = &kKickFour,
                .snare = &kBackbeat,
                .clap = &kBackbeat,
                .closedHat = &kHatsDrive,
                .openHat = &kOpenHatOffbeat,
                .shaker = &kShakerDrive,
                .bass = &kBassRolling,
                .pad = &kPadBar,
                .lead = &kLeadTunnel,
                .sparkle = &kSparkle}},
    // 120 s, the finale: a breakdown that builds to the hit at 155 s.
    {.name = "breakdown",
     .firstBar = 48,
     .bars = 4,
     .progression = kMainProgression,
     .swing = 0.0f,
     .layers = {.closedHat = &kHatsSoft,
                .shaker = &kShakerGroove,
                .bass = &kBassHold,
                .pad = &kPadBar,
                .arp = &kArpEighths}},
    {.name = "build",
     .firstBar = 52,
     .bars = 4,
     .progression = kMainProgression,
     .swing = 0.0f,
     .layers = {.kick = &kKickFour,
                .closedHat = &kHats16,
                .shaker = &kShakerGroove,
                .bass = &kBassOffbeat,
                .pad = &kPadBar,
                .arp = &kArpGroove}},
    {.name = "build with theme",
     .firstBar = 56,
     .bars = 4,
     .progression = kMainProgression,
     .swing = 0.0f,
     .layers = {.kick = &kKickFour,
                .clap = &kBackbeat,
                .closedHat = &kHats16,
                .openHat = &kOpenHatOffbeat,
                .shaker = &kShakerDrive,
                .bass = &kBassOffbeat,
                .pad = &kPadBar,
                .arp = &kArpGroove,
                .lead = &kLeadTheme}},
    {.name = "roll",
     .firstBar = 60,
     .bars = 2,
     .progression = kTurnProgression,
     .swing = 0.0f,
     .layers = {.kick = &kKickRoll,
                .snare = &kSnareRoll,
                .closedHat = &kHatsRoll,
                .pad = &kPadStop,
                .arp = &kArpGroove}},
    // 155 s, the hit and the full band.
    {.name = "finale",
     .firstBar = 62,
     .bars = 8,
     .progression = kMainProgression,
     .swing = 0.0f,
     .layers = {.kick = &kKickFour,
                .snare = &kBackbeat,
                .clap = &kBackbeat,
                .closedHat = &kHatsDrive,
                .openHat = &kOpenHatOffbeat,
                .shaker = &kShakerDrive,
                .bass = &kBassOffbeat,
                .pad = &kPadBar,
                .arp = &kArpGroove,
                .lead = &kLeadTheme,
                .leadHigh = &kLeadTheme,
                .sparkle = &kSparkle}},
    {.name = "finale cadence",
     .firstBar = 70,
     .bars = 2,
     .progression = kTurnProgression,
     .swing = 0.0f,
     .layers = {.kick = &kKickTurn,
                .snare = &kSnareTurn,
                .clap = &kBackbeat,
                .closedHat = &kHatsDrive,
                .openHat = &kOpenHatOffbeat,
                .shaker = &kShakerDrive,
                .bass = &kBassOffbeat,
                .pad = &kPadBar,
                .arp = &kArpGroove,
                .lead = &kLeadTurn,
                .leadHigh = &kLeadTurn,
                .sparkle = &kSparkle}},
    // 180 s, the outro under the master fade.
    {.name = "outro",
     .firstBar = 72,
     .bars = 4,
     .progression = kOutroProgression,
     .swing = 0.0f,
     .layers = {.pad = &kPadBar, .arp = &kArpEighths}},
}};

const std::array<Cue, 21> kCues = {{
    {CueKind::Riser, 3.0, 1.0, 0.25f},
    {CueKind::Crash, 4.0, 0.0, 0.5f},
    {CueKind::Crash, 12.0, 0.0, 0.6f},
    {CueKind::Crash, 20.0, 0.0, 0.6f},
    {CueKind::Crash, 28.0, 0.0, 0.6f},
    {CueKind::Riser, 32.0, 2.0, 0.8f},
    {CueKind::Crash, 34.0, 0.0, 0.9f},
    {CueKind::Sweep, 38.0, 1.0, 0.5f},
    {CueKind::Crash, 42.0, 0.0, 0.8f},
    {CueKind::Sweep, 44.0, 1.0, 0.5f},
    {CueKind::Sweep, 46.0, 1.0, 0.6f},
    {CueKind::Crash, 48.0, 0.0, 0.7f},
    {CueKind::Downlifter, 48.0, 2.0, 0.6f},
    {CueKind::Riser, 58.0, 3.75, 1.0f},
    // The hit: the picture flashes white at 155 s.
    {CueKind::Crash, 62.0, 0.0, 1.0f},
    {CueKind::SubDrop, 62.0, 1.2, 0.9f},
    {CueKind::HitChord, 62.0, 1.0, 1.0f},
    {CueKind::Crash, 66.0, 0.0, 0.7f},
    {CueKind::Sweep, 69.0, 1.0, 0.5f},
    {CueKind::Crash, 70.0, 0.0, 0.7f},
    {CueKind::Crash, 72.0, 0.0, 0.6f},
}};

const std::array<Breakpoint, 10> kBrightness = {{
    {0.0, -2.0f},
    {4.0, -0.6f},
    {12.0, -0.3f},
    {34.0, 0.0f},
    {48.0, 0.0f},
    {48.0, -2.5f},
    {61.75, 0.6f},
    {62.0, 0.3f},
    {72.0, 0.0f},
    {76.0, -1.5f},
}};

// NOTE: the dip holds the last three sixteenths before the hit nearly silent, tails and all,
// so the hit lands out of a held breath.
const std::array<Breakpoint, 8> kMasterLevel = {{
    {0.0, 1.0f},
    {61.75, 1.0f},
    {61.8, 0.3f},
    {62.0, 0.3f},
    {62.0, 1.0f},
    {72.0, 1.0f},
    {76.0, 0.0f},
    {76.8, 0.0f},
}};
