#include "tools/generator/mp3_encoder.h"

#include <lame/lame.h>

#include <algorithm>
#include <cstdarg>
#include <memory>

#include "tools/generator/stereo_buffer.h"

namespace {

struct LameCloser {
    void operator()(lame_global_flags* flags) const { lame_close(flags); }
};
using Lame = std::unique_ptr<lame_global_flags, LameCloser>;

constexpr int32_t kChunkFrames = 8192;  // frames handed to LAME per call
constexpr int32_t kQuality = 2;         // 0 best .. 9 fastest; 2 is LAME's recommended "high"
constexpr int32_t kLowPassHz = 19000;

void ignoreReport(const char*, va_list) {}

bool configure(lame_global_flags* lame) {
    lame_set_errorf(lame, ignoreReport);
    lame_set_debugf(lame, ignoreReport);
    lame_set_msgf(lame, ignoreReport);
    lame_set_in_samplerate(lame, kAudioRate);
    lame_set_out_samplerate(lame, kAudioRate);
    lame_set_num_channels(lame, 2);
    lame_set_mode(lame, JOINT_STEREO);
    lame_set_VBR(lame, vbr_off);
    lame_set_brate(lame, kMp3Kbps);
    lame_set_quality(lame, kQuality);
    lame_set_lowpassfreq(lame, kLowPassHz);
    lame_set_highpassfreq(lame, 0);
    lame_set_scale(lame, 1.0f);
    // The Info tag holds the delay and padding for gapless decoding, even at a constant rate.
    lame_set_bWriteVbrTag(lame, 1);
    lame_set_findReplayGain(lame, 0);
    lame_set_decode_on_the_fly(lame, 0);
    lame_set_write_id3tag_automatic(lame, 0);
    lame_set_copyright(lame, 0);
    lame_set_original(lame, 1);
    lame_set_error_protection(lame, 0);
    lame_set_extension(lame, 0);
    lame_set_strict_ISO(lame, 0);
    lame_set_disable_reservoir(lame, 0);
    lame_set_emphasis(lame, 0);
    // NOTE: the hand-written MMX/3DNow!/SSE routines are chosen by the CPU at run time; the
    // plain C code is the same everywhere.
    lame_set_asm_optimizations(lame, MMX, 0);
    lame_set_asm_optimizations(lame, AMD_3DNOW, 0);
    lame_set_asm_optimizations(lame, SSE, 0);
    return lame_init_params(lame) >= 0;
}

// LAME's worst case for `frames` frames: 1.25 times the samples plus 7200 bytes.
size_t outputBound(int32_t frames) {
    return static_cast<size_t>(frames) * 5 / 4 + 7200;
}

}  // namespace

bool encodeMp3(const std::vector<float>& interleavedStereo, std::vector<uint8_t>& bytes,
               std::string& error) {
    bytes.clear();
    if (interleavedStereo.empty() || interleavedStereo.size() % 2 != 0) {
        error = "the audio is empty or not in left and right pairs";
        return false;
    }
    const Lame lame(lame_init());
    if (!lame || !configure(lame.get())) {
        error = "LAME refused the encoder settings";
        return false;
    }
    std::vector<unsigned char> chunk(outputBound(kChunkFrames));
    const size_t frames = interleavedStereo.size() / 2;
    for (size_t first = 0; first < frames; first += kChunkFrames) {
        const int32_t count = static_cast<int32_t>(std::min<size_t>(kChunkFrames, frames - first));
        const int written = lame_encode_buffer_interleaved_ieee_float(
            lame.get(), interleavedStereo.data() + 2 * first, count, chunk.data(),
            static_cast<int>(chunk.size()));
        if (written < 0) {
            error = "LAME failed to encode, code " + std::to_string(written);
            return false;
        }
        bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + written);
    }
    const int flushed = lame_encode_flush(lame.get(), chunk.data(), static_cast<int>(chunk.size()));
    if (flushed < 0) {
        error = "LAME failed to finish, code " + std::to_string(flushed);
        return false;
    }
    bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + flushed);
    // The stream opens with a placeholder frame; the finished tag replaces it.
    const size_t tagSize = lame_get_lametag_frame(lame.get(), chunk.data(), chunk.size());
    if (tagSize == 0 || tagSize > chunk.size() || tagSize > bytes.size()) {
        error = "LAME wrote no Info tag";
        return false;
    }
    std::copy(chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(tagSize), bytes.begin());
    return true;
}
