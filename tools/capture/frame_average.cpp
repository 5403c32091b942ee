#include "tools/capture/frame_average.h"

#include <array>
#include <cmath>

namespace {

// The sRGB curve: coded value c in 0..1 to light.
double lightOf(double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

struct Curves {
    std::array<uint16_t, 256> light;
    std::array<uint8_t, 65536> coded;

    Curves() {
        for (size_t c = 0; c < light.size(); ++c) {
            light[c] = static_cast<uint16_t>(std::lround(lightOf(c / 255.0) * 65535.0));
        }
        // Each light goes to the code whose light is nearest; ties go to the brighter.
        size_t c = 0;
        for (size_t l = 0; l < coded.size(); ++l) {
            while (c + 1 < light.size() && 2 * l >= size_t{light[c]} + light[c + 1]) {
                ++c;
            }
            coded[l] = static_cast<uint8_t>(c);
        }
    }
};

const Curves& curves() {
    static const Curves tables;
    return tables;
}

}  // namespace

uint16_t linearFromSrgb(uint8_t value) {
    return curves().light[value];
}

uint8_t srgbFromLinear(uint16_t light) {
    return curves().coded[light];
}

void FrameAverage::add(const std::vector<uint8_t>& frame) {
    const std::array<uint16_t, 256>& light = curves().light;
    const size_t size = std::min(frame.size(), sums.size());
    for (size_t i = 0; i < size; ++i) {
        sums[i] += light[frame[i]];
    }
    ++count;
}

std::vector<uint8_t> FrameAverage::take() {
    std::vector<uint8_t> mean(sums.size(), 0);
    if (count > 0) {
        const std::array<uint8_t, 65536>& coded = curves().coded;
        const uint32_t frames = static_cast<uint32_t>(count);
        for (size_t i = 0; i < sums.size(); ++i) {
            mean[i] = coded[(sums[i] + frames / 2) / frames];
        }
    }
    std::fill(sums.begin(), sums.end(), 0u);
    count = 0;
    return mean;
}
