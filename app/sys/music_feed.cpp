#include "app/sys/music_feed.h"

#include <algorithm>

#include "resources/mp3_track.h"

bool MusicFeed::open(const String& name, int32_t frames) {
    if (frames <= 0 || !music.open(name)) {
        return false;
    }
    bufferFrames = frames;
    block.assign(static_cast<size_t>(frames) * kTrackChannels, 0);
    heard.assign(static_cast<size_t>(frames + kSpectrumWindow), 0.0f);
    handedOver = 0;
    return true;
}

size_t MusicFeed::heardSlot(int64_t frame) const {
    return static_cast<size_t>(frame) % heard.size();
}

void MusicFeed::fill(float* out, int64_t frames) {
    if (heard.empty()) {
        std::fill(out, out + frames * kTrackChannels, 0.0f);
        return;
    }
    const int64_t blockFrames = bufferFrames;
    for (int64_t done = 0; done < frames;) {
        const int64_t wanted = std::min(frames - done, blockFrames);
        const int64_t got = music.read(block.data(), wanted);
        for (int64_t i = 0; i < wanted; ++i) {
            const float left = i < got ? block[2 * i] * kSampleScale : 0.0f;
            const float right = i < got ? block[2 * i + 1] * kSampleScale : 0.0f;
            out[2 * (done + i)] = left;
            out[2 * (done + i) + 1] = right;
            heard[heardSlot(handedOver + done + i)] = 0.5f * (left + right);
        }
        done += wanted;
    }
    handedOver += frames;
}

bool MusicFeed::seek(int64_t frame) {
    const bool moved = music.seek(frame);
    handedOver = frame;
    std::fill(heard.begin(), heard.end(), 0.0f);
    return moved;
}

std::array<float, kSpectrumWindow> MusicFeed::heardWindow() const {
    std::array<float, kSpectrumWindow> mono = {};
    if (heard.empty()) {
        return mono;
    }
    const int64_t played = handedOver - bufferFrames;
    for (int32_t i = 0; i < kSpectrumWindow; ++i) {
        const int64_t frame = played - kSpectrumWindow + i;
        mono[static_cast<size_t>(i)] = frame < 0 ? 0.0f : heard[heardSlot(frame)];
    }
    return mono;
}
