#include "app/music.h"

#include "resources/soundtrack.h"

namespace {

constexpr int32_t kMixRate = 44100;  // samples per second

}  // namespace

SoundStream* startMusic() {
    soundInit(kMixRate);
    SoundStream* musicStream = soundOpenStream(kMusic.name);
    soundPlay(musicStream);
    soundSetSpectrumActive(true);
    soundSetPosition(musicStream, 0);
    return musicStream;
}

SpectrumValues musicSpectrum() {
    return soundSpectrum();
}

void stopMusic(SoundStream* musicStream) {
    soundCloseStream(musicStream);
    soundClose();
}
