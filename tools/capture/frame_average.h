#pragma once
// Motion blur's mean of sub-frames, taken in linear light: each 8-bit value is turned into
// light by the sRGB curve (16 bits), the sub-frames are summed, the sum divided with rounding,
// and the mean turned back into the nearest 8-bit value. The same frames always give the same
// bytes, and N equal frames give that frame back.
// NOTE: linear light, not the coded values: a shutter adds up light, so a bright thing moving
// over dark leaves as bright a streak as a camera shows, where a mean of coded values darkens
// every blurred highlight and flash.

#include <cstddef>
#include <cstdint>
#include <vector>

// Light of an 8-bit sRGB value, 0..65535.
uint16_t linearFromSrgb(uint8_t value);
// The 8-bit sRGB value whose light is nearest.
uint8_t srgbFromLinear(uint16_t light);

class FrameAverage {
public:
    // Frames of `bytes` values each.
    explicit FrameAverage(size_t bytes) : sums(bytes, 0) {}

    // Adds a frame of exactly `bytes` values.
    void add(const std::vector<uint8_t>& frame);
    // The mean of the frames added since the last take, and starts again. Zeros without any.
    std::vector<uint8_t> take();
    int32_t frames() const { return count; }

private:
    std::vector<uint32_t> sums;
    int32_t count = 0;
};
