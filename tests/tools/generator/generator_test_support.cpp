#include "generator_test_support.h"

#include <png.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

Pixmap readPngFile(const std::string& path, int32_t channels) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        return {};
    }
    image.format =
        channels == 1 ? PNG_FORMAT_GRAY : (channels == 3 ? PNG_FORMAT_RGB : PNG_FORMAT_RGBA);
    Pixmap pixmap{static_cast<int32_t>(image.width), static_cast<int32_t>(image.height), channels,
                  std::vector<uint8_t>(PNG_IMAGE_SIZE(image))};
    if (png_image_finish_read(&image, nullptr, pixmap.bytes.data(), 0, nullptr) == 0) {
        return {};
    }
    return pixmap;
}

std::vector<uint8_t> readFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

StereoBuffer sineTone(double hz, double amplitude, double seconds, bool left, bool right) {
    StereoBuffer tone(framesOf(seconds));
    for (int64_t i = 0; i < tone.frames(); ++i) {
        const float value = static_cast<float>(
            amplitude * std::sin(2.0 * M_PI * hz * static_cast<double>(i) / kAudioRate));
        tone.left[static_cast<size_t>(i)] = left ? value : 0.0f;
        tone.right[static_cast<size_t>(i)] = right ? value : 0.0f;
    }
    return tone;
}

double toneAmplitude(const std::vector<float>& samples, double hz) {
    const double n = static_cast<double>(samples.size());
    double re = 0.0;
    double im = 0.0;
    double windowSum = 0.0;
    for (size_t i = 0; i < samples.size(); ++i) {
        const double window = 0.5 - 0.5 * std::cos(2.0 * M_PI * static_cast<double>(i) / n);
        const double phase = 2.0 * M_PI * hz * static_cast<double>(i) / kAudioRate;
        re += samples[i] * window * std::cos(phase);
        im -= samples[i] * window * std::sin(phase);
        windowSum += window;
    }
    return 2.0 * std::sqrt(re * re + im * im) / windowSum;
}
