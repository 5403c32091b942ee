#pragma once
// The program's sound layer: one output device at a fixed rate, one music stream decoded
// into it as it plays, from a position, and the spectrum of what the device has actually played.
// Every call is made from the main thread and none blocks for long. Any failure (no device,
// a missing or undecodable file) leaves the layer silent: the calls still succeed or do
// nothing, and the spectrum reads zeros.

#include <cstdint>

#include "resources/spectrum_analyser.h"
#include "resources/string.h"

struct SoundStream;

// Opens the default output device at `mixRate` samples per second. False when there is none.
bool soundInit(int32_t mixRate);
// Reads the whole file now and its first frame; playback decodes from memory as it goes and
// never touches the disk. Null when the file is missing or holds no playable music.
SoundStream* soundOpenStream(const String& name);
// Starts the stream from its current position. False for a null stream or no device.
bool soundPlay(SoundStream* stream);
// The spectrum is computed only while active.
void soundSetSpectrumActive(bool active);
// Moves playback to `milliseconds` from the start.
bool soundSetPosition(SoundStream* stream, uint32_t milliseconds);
// 512 magnitudes of the 1024 samples the device played last; zeros when nothing plays.
SpectrumValues soundSpectrum();
void soundCloseStream(SoundStream* stream);
void soundClose();
