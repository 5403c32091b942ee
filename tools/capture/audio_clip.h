#pragma once
// The soundtrack of a capture: the stretch of decoded music that plays under its frames, cut by
// sample index so that the clip's first sample is the music heard at the first frame, and that
// stretch written as a WAV file for the encoder. Pure functions of the track; no state.

#include <cstdint>
#include <string>
#include <vector>

#include "resources/mp3_track.h"

// Track frames (samples per channel, 44100 Hz) spanned by `videoFrames` frames at
// `framesPerSecond`: round(videoFrames * 44100 / fps), so audio and video end together.
int64_t audioFrameCount(int64_t videoFrames, double framesPerSecond);

// Interleaved stereo samples of track frames [first, first + count); zeros wherever that range
// lies outside the track, so the result always holds count * 2 samples.
std::vector<float> audioRange(const DecodedTrack& track, int64_t first, int64_t count);

// Writes interleaved stereo samples (-1..1, clamped) as a 16-bit PCM WAV file at 44100 Hz.
// False, with the file and the reason in `error`, when it cannot be written.
bool writeWav(const std::string& path, const std::vector<float>& samples, std::string& error);
