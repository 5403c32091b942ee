#pragma once
// The demo's music: started once after loading, right before the demo clock is reset, and
// stopped once after the last frame. Its spectrum is read once per frame for the scenes.
// Without a device or a playable file the demo runs silently, spectrum zero.

#include "app/sys/sound.h"

// Opens the output, starts the demo's music from its first sample and switches the
// spectrum on. The stream may be null; every later call accepts that.
SoundStream* startMusic();
// The spectrum of what the device played last.
SpectrumValues musicSpectrum();
void stopMusic(SoundStream* musicStream);
