#pragma once
// The demo's music: started once after loading, right before the demo clock is reset, and
// stopped once after the frame loop. Its spectrum is read once per frame into spectrumBands
// and midLevel. Without a device or a playable file the demo runs silently, spectrum zero.

#include "app/sys/sound.h"

// Opens the output, starts the demo's music from its first sample and switches the
// spectrum on. The stream may be null; every later call accepts that.
SoundStream* startMusic();
void updateSpectrum();
void stopMusic(SoundStream* musicStream);
