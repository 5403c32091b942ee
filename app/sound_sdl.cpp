#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <vector>

#include "app/sound.h"
#include "resources/mp3_stream.h"
#include "resources/mp3_track.h"

struct SoundStream {
    // Decoded on the audio thread, a device buffer at a time.
    Mp3Stream music;
    std::vector<int16_t> block;  // the frames of one device buffer
    // The mono mix of the last `heard.size()` frames handed to the device, frame f at
    // f % size; enough for one spectrum window before the buffer still being played.
    std::vector<float> heard;
    // Frames handed to the device so far; written by the audio callback, read by the main
    // thread. Moves only forward except through soundSetPosition.
    std::atomic<int64_t> cursor{0};
    std::atomic<bool> playing{false};
};

namespace {

// NOTE: about 23 ms at 44100 Hz: what is heard trails the demo clock by a frame or two.
constexpr Uint16 kDeviceFrames = 1024;

struct Output {
    SDL_AudioDeviceID device = 0;
    int32_t bufferFrames = kDeviceFrames;
    std::atomic<SoundStream*> stream{nullptr};
    bool spectrumActive = false;
    std::unique_ptr<SpectrumAnalyser> analyser;
};

Output output;

size_t heardSlot(const SoundStream& stream, int64_t frame) {
    return static_cast<size_t>(frame) % stream.heard.size();
}

// Decodes the next frames into `out`, silence after the music's end, and remembers their mono
// mix for the spectrum.
void decodeInto(SoundStream& stream, float* out, int64_t frames) {
    const int64_t cursor = stream.cursor.load(std::memory_order_relaxed);
    const int64_t blockFrames = static_cast<int64_t>(stream.block.size()) / kTrackChannels;
    for (int64_t done = 0; done < frames;) {
        const int64_t wanted = std::min(frames - done, blockFrames);
        const int64_t got = stream.music.read(stream.block.data(), wanted);
        for (int64_t i = 0; i < wanted; ++i) {
            const float left = i < got ? stream.block[2 * i] * kSampleScale : 0.0f;
            const float right = i < got ? stream.block[2 * i + 1] * kSampleScale : 0.0f;
            out[2 * (done + i)] = left;
            out[2 * (done + i) + 1] = right;
            stream.heard[heardSlot(stream, cursor + done + i)] = 0.5f * (left + right);
        }
        done += wanted;
    }
    stream.cursor.store(cursor + frames, std::memory_order_release);
}

// Runs on SDL's audio thread: decodes from memory, never allocates or reads files.
void fillBuffer(void*, Uint8* bytes, int length) {
    std::memset(bytes, 0, static_cast<size_t>(length));
    SoundStream* stream = output.stream.load(std::memory_order_acquire);
    if (stream == nullptr || !stream->playing.load(std::memory_order_acquire)) {
        return;
    }
    const int64_t frames = length / static_cast<int>(sizeof(float) * kTrackChannels);
    decodeInto(*stream, reinterpret_cast<float*>(bytes), frames);
}

// Both locks are no-ops without a device: then the callback never runs.
void lockOutput() {
    if (output.device != 0) {
        SDL_LockAudioDevice(output.device);
    }
}

void unlockOutput() {
    if (output.device != 0) {
        SDL_UnlockAudioDevice(output.device);
    }
}

bool deviceIsPlaying() {
    return output.device != 0 && SDL_GetAudioDeviceStatus(output.device) == SDL_AUDIO_PLAYING;
}

}  // namespace

bool soundInit(int32_t mixRate) {
    if (output.device != 0) {
        return true;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return false;
    }
    SDL_AudioSpec wanted = {};
    wanted.freq = mixRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = kTrackChannels;
    wanted.samples = kDeviceFrames;
    wanted.callback = fillBuffer;
    SDL_AudioSpec obtained = {};
    // SDL converts to whatever the hardware takes; the callback always sees the wanted form.
    output.device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (output.device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    output.bufferFrames = obtained.samples;
    output.analyser = std::make_unique<SpectrumAnalyser>();
    return true;
}

SoundStream* soundOpenStream(const String& name) {
    auto stream = std::make_unique<SoundStream>();
    if (!stream->music.open(name)) {
        return nullptr;
    }
    stream->block.resize(static_cast<size_t>(output.bufferFrames) * kTrackChannels);
    stream->heard.resize(static_cast<size_t>(output.bufferFrames + kSpectrumWindow));
    return stream.release();
}

bool soundPlay(SoundStream* stream) {
    if (stream == nullptr || output.device == 0) {
        return false;
    }
    stream->playing.store(true, std::memory_order_release);
    output.stream.store(stream, std::memory_order_release);
    SDL_PauseAudioDevice(output.device, 0);
    return true;
}

void soundSetSpectrumActive(bool active) {
    output.spectrumActive = active;
}

bool soundSetPosition(SoundStream* stream, uint32_t milliseconds) {
    if (stream == nullptr) {
        return false;
    }
    const int64_t frame = int64_t{milliseconds} * kTrackRate / 1000;
    lockOutput();
    const bool moved = stream->music.seek(frame);
    stream->cursor.store(frame, std::memory_order_release);
    std::fill(stream->heard.begin(), stream->heard.end(), 0.0f);
    unlockOutput();
    return moved;
}

SpectrumValues soundSpectrum() {
    SoundStream* stream = output.stream.load(std::memory_order_acquire);
    if (!output.spectrumActive || stream == nullptr || !deviceIsPlaying() || !output.analyser) {
        return {};
    }
    // The last buffer handed over is still being played; what precedes it has been heard.
    std::array<float, kSpectrumWindow> mono = {};
    lockOutput();
    const int64_t played = stream->cursor.load(std::memory_order_acquire) - output.bufferFrames;
    for (int32_t i = 0; i < kSpectrumWindow; ++i) {
        const int64_t frame = played - kSpectrumWindow + i;
        mono[static_cast<size_t>(i)] = frame < 0 ? 0.0f : stream->heard[heardSlot(*stream, frame)];
    }
    unlockOutput();
    return output.analyser->analyse(mono);
}

void soundCloseStream(SoundStream* stream) {
    if (stream == nullptr) {
        return;
    }
    lockOutput();
    if (output.stream.load() == stream) {
        output.stream.store(nullptr, std::memory_order_release);
    }
    unlockOutput();
    delete stream;
}

void soundClose() {
    if (output.device == 0) {
        return;
    }
    SDL_CloseAudioDevice(output.device);
    output.device = 0;
    output.analyser.reset();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
