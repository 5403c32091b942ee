#pragma once
// Helpers shared by the generator's tests: a scratch folder removed afterwards, PNG files read
// back through libpng's simplified API, independently of the generator's encoder, and test
// tones with a single-frequency level meter (Goertzel) for the sound code.

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/generator/pixmap.h"
#include "tools/generator/stereo_buffer.h"

class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name)
        : path(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~ScratchFolder() { std::filesystem::remove_all(path); }

    const std::filesystem::path path;
};

// The file's pixels in `channels` channels (1, 3 or 4); an empty pixmap when it cannot be read.
Pixmap readPngFile(const std::string& path, int32_t channels);
// The file's bytes, empty when it cannot be read.
std::vector<uint8_t> readFileBytes(const std::string& path);

// `seconds` of a sine at `hz` and `amplitude` (1 = full scale) on the chosen channels, silence
// on the other.
StereoBuffer sineTone(double hz, double amplitude, double seconds, bool left, bool right);
// The amplitude of the component at `hz` in `samples` at kAudioRate (1 for a full-scale sine
// of that frequency), measured over the whole span with a Hann window.
double toneAmplitude(const std::vector<float>& samples, double hz);
