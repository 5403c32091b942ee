#include "app/music.h"

#include "resources/soundtrack.h"
#include "app/spectrum.h"

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

void updateSpectrum() {
    reduceSpectrum(soundSpectrum());
}

void stopMusic(SoundStream* musicStream) {
    soundCloseStream(musicStream);
    soundClose();
}
