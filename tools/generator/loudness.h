#pragma once
// Integrated loudness of a stereo programme after ITU-R BS.1770: both channels K-weighted (a
// high shelf of +4 dB above about 1.7 kHz, then a 38 Hz high-pass), mean squares over 400 ms
// blocks stepped by 100 ms, blocks below -70 LUFS dropped, then blocks more than 10 LU below
// the mean of the rest dropped, and what remains averaged. Left and right weigh 1 each, so a
// full-scale 997 Hz sine reads -3.01 LUFS on one channel and 0 LUFS on both. The filters are
// designed for kAudioRate from their analogue prototypes.

#include "tools/generator/filter.h"
#include "tools/generator/stereo_buffer.h"

// What silence, or a programme shorter than one block, reads, LUFS.
constexpr double kSilentLufs = -200.0;

// The two K-weighting stages at `rate` Hz: the shelf first, then the high-pass.
BiquadCoefficients kWeightingShelf(double rate);
BiquadCoefficients kWeightingHighPass(double rate);

// LUFS.
double integratedLoudness(const StereoBuffer& programme);
