#include <SDL.h>

#include <atomic>
#include <cstring>
#include <memory>

#include "app/sys/music_feed.h"
#include "app/sys/quiet_stderr.h"
#include "app/sys/sound.h"
#include "resources/mp3_track.h"

struct SoundStream {
    MusicFeed feed;  // used on the audio thread and, under the device lock, the main thread
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

// Runs on SDL's audio thread, which holds the device lock: decodes from memory, never
// allocates or reads files.
void fillBuffer(void*, Uint8* bytes, int length) {
    std::memset(bytes, 0, static_cast<size_t>(length));
    SoundStream* stream = output.stream.load(std::memory_order_acquire);
    if (stream == nullptr || !stream->playing.load(std::memory_order_acquire)) {
        return;
    }
    const int64_t frames = length / static_cast<int>(sizeof(float) * kTrackChannels);
    stream->feed.fill(reinterpret_cast<float*>(bytes), frames);
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
    const QuietStderr quiet;
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
    if (!stream->feed.open(name, output.bufferFrames)) {
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
    lockOutput();
    const bool moved = stream->feed.seek(frame);
    unlockOutput();
    return moved;
}

SpectrumValues soundSpectrum() {
    SoundStream* stream = output.stream.load(std::memory_order_acquire);
    if (!output.spectrumActive || stream == nullptr || !deviceIsPlaying() || !output.analyser) {
        return {};
    }
    lockOutput();
    const std::array<float, kSpectrumWindow> mono = stream->feed.heardWindow();
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
