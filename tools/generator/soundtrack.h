#pragma once
// The demo's music, "Sounds/Crunch.mp3": the song (song.h) played by the band (instruments.h)
// into the mixer, mastered to -14 LUFS with sample peaks at -1.5 dBFS, and encoded at
// 192 kbit/s. 192 s of 44100 Hz stereo; demo time t seconds is sample t * 44100, and the
// music is silent from 190 s on. Rendering is single-threaded and fixed in order, so every
// run and machine computes the same samples.

#include <string>

#include "tools/generator/data_tree.h"
#include "tools/generator/mastering.h"
#include "tools/generator/stereo_buffer.h"

// The band and the cues mixed, before mastering.
StereoBuffer renderMix();
// The finished programme; `report`, when given, receives the master chain's figures.
StereoBuffer renderSoundtrack(MasterReport* report = nullptr);

// Renders, encodes and writes the file. False, with the reason in `error`, on failure.
bool writeSoundtrack(const DataTree& tree, std::string& error);
