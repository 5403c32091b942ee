#pragma once
// MP3 encoding of interleaved stereo float audio at 44100 Hz through LAME, into memory:
// MPEG-1 layer III, joint stereo, constant 192 kbit/s. Every setting that shapes the bytes is
// fixed (quality, low-pass, no ReplayGain analysis, no ID3 tags, no CPU-specific assembly), so
// equal samples give equal files. The first frame is a LAME "Info" tag carrying the encoder
// delay and padding, which gapless decoders use to return exactly the samples given here.

#include <cstdint>
#include <string>
#include <vector>

constexpr int32_t kMp3Kbps = 192;  // kbit/s

// `interleavedStereo` is left, right, left, ... at full scale -1..1. False, with the reason in
// `error`, for an odd sample count, no samples, or when LAME fails.
bool encodeMp3(const std::vector<float>& interleavedStereo, std::vector<uint8_t>& bytes,
               std::string& error);
