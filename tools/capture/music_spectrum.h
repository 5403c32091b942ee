#pragma once
// The music's spectrum at each frame of a capture, decoded as the capture moves forward: only
// the compressed music and the last spectrum window are held, not the whole decoded track.
// Each spectrum equals SpectrumAnalyser::analyseTrack on the whole decoded music for the same
// end frame, so a capture looks the same whichever way its music is read.

#include <array>
#include <cstdint>
#include <vector>

#include "resources/spectrum_analyser.h"
#include "resources/mp3_stream.h"
#include "resources/string.h"

class MusicSpectrum {
public:
    // False when the music cannot be played; every spectrum then reads zero.
    bool open(const String& name);
    // The spectrum of the window that ends just before frame `end`. Quick for ends that do
    // not decrease; an earlier end decodes again from the start.
    SpectrumValues before(int64_t end);

private:
    void decodeUpTo(int64_t end);
    void restart();

    Mp3Stream music;
    bool playable = false;
    int64_t decoded = 0;  // frames taken from the stream
    // The mono mix of frames [decoded - window, decoded), frame f at f % window.
    std::array<float, kSpectrumWindow> recent = {};
    std::vector<int16_t> block;
    SpectrumAnalyser analyser;
};
