#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>

#include "app/sound.h"
#include "resources/mp3_track.h"

struct SoundStream {
    DecodedTrack track;
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

// Runs on SDL's audio thread: copies samples, never blocks, allocates or reads files.
void fillBuffer(void*, Uint8* bytes, int length) {
    float* out = reinterpret_cast<float*>(bytes);
    const int64_t frames = length / static_cast<int>(sizeof(float) * kTrackChannels);
    std::memset(bytes, 0, static_cast<size_t>(length));
    SoundStream* stream = output.stream.load(std::memory_order_acquire);
    if (stream == nullptr || !stream->playing.load(std::memory_order_acquire)) {
        return;
    }
    const int64_t cursor = stream->cursor.load(std::memory_order_relaxed);
    const int64_t available = std::clamp<int64_t>(stream->track.frames() - cursor, 0, frames);
    if (available > 0) {
        const size_t first = static_cast<size_t>(cursor * kTrackChannels);
        for (int64_t i = 0; i < available * kTrackChannels; ++i) {
            out[i] = stream->track.sample(first + static_cast<size_t>(i));
        }
    }
    stream->cursor.store(cursor + frames, std::memory_order_release);
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
    if (!decodeMp3(name, stream->track)) {
        return nullptr;
    }
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
    if (output.device != 0) {
        SDL_LockAudioDevice(output.device);
    }
    stream->cursor.store(frame, std::memory_order_release);
    if (output.device != 0) {
        SDL_UnlockAudioDevice(output.device);
    }
    return true;
}

SpectrumValues soundSpectrum() {
    SoundStream* stream = output.stream.load(std::memory_order_acquire);
    if (!output.spectrumActive || stream == nullptr || !deviceIsPlaying() || !output.analyser) {
        return {};
    }
    // The last buffer handed over is still being played; what precedes it has been heard.
    const int64_t played = stream->cursor.load(std::memory_order_acquire) - output.bufferFrames;
    return output.analyser->analyseTrack(stream->track, played);
}

void soundCloseStream(SoundStream* stream) {
    if (stream == nullptr) {
        return;
    }
    if (output.device != 0) {
        SDL_LockAudioDevice(output.device);
    }
    if (output.stream.load() == stream) {
        output.stream.store(nullptr, std::memory_order_release);
    }
    if (output.device != 0) {
        SDL_UnlockAudioDevice(output.device);
    }
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
