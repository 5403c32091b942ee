#pragma once
// The master chain, run once over the whole mix: a 10 Hz DC blocker, a gentle 17 kHz high cut,
// the song's master level curve (the pre-hit breath and the closing fade), then gain to the
// target loudness and the true-peak limiter, repeated until the limited programme measures the
// target (plus what encoding loses) within 0.05 LU.

#include "tools/generator/stereo_buffer.h"

constexpr double kTargetLufs = -14.0;  // of the encoded file
// -1.5 dBTP, true peak: MP3 encoding adds a few tenths of a dB of error on top, and the decoded
// file must stay at or below -1 dBFS.
constexpr float kPeakCeiling = 0.8414f;

struct MasterReport {
    double gainDb;              // applied before the limiter
    double limiterReductionDb;  // deepest gain reduction
    double loudnessLufs;        // of the finished programme
    float samplePeak;           // largest sample magnitude of the finished programme
    float truePeak;             // largest magnitude between samples
};

MasterReport masterProgramme(StereoBuffer& mix);
