#include "tools/capture/music_spectrum.h"

#include <algorithm>

#include "resources/mp3_track.h"

namespace {

constexpr int64_t kBlockFrames = 4096;

size_t slotOf(int64_t frame) {
    return static_cast<size_t>(frame % kSpectrumWindow);
}

}  // namespace

bool MusicSpectrum::open(const String& name) {
    playable = music.open(name);
    block.resize(static_cast<size_t>(kBlockFrames) * kTrackChannels);
    decoded = 0;
    recent.fill(0.0f);
    return playable;
}

void MusicSpectrum::restart() {
    playable = music.seek(0);
    decoded = 0;
    recent.fill(0.0f);
}

// After the music's end the frames are silence, as outside a decoded track.
void MusicSpectrum::decodeUpTo(int64_t end) {
    while (decoded < end) {
        const int64_t wanted = std::min(end - decoded, kBlockFrames);
        const int64_t got = music.read(block.data(), wanted);
        for (int64_t i = 0; i < wanted; ++i) {
            const size_t at = static_cast<size_t>(i) * kTrackChannels;
            const float left = i < got ? static_cast<float>(block[at]) * kSampleScale : 0.0f;
            const float right = i < got ? static_cast<float>(block[at + 1]) * kSampleScale : 0.0f;
            recent[slotOf(decoded + i)] = 0.5f * (left + right);
        }
        decoded += wanted;
    }
}

SpectrumValues MusicSpectrum::before(int64_t end) {
    if (!playable) {
        return analyser.analyse({});
    }
    if (end < decoded) {
        restart();
    }
    decodeUpTo(end);
    std::array<float, kSpectrumWindow> mono = {};
    for (int32_t i = 0; i < kSpectrumWindow; ++i) {
        const int64_t frame = end - kSpectrumWindow + i;
        mono[static_cast<size_t>(i)] = frame < 0 ? 0.0f : recent[slotOf(frame)];
    }
    return analyser.analyse(mono);
}
