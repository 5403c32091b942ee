// average_frames OUT IN...: writes the mean of the PNG pictures IN, taken as the capture's
// shutter takes it (in linear light), as the PNG file OUT, encoded as the capture encodes its
// frames, so that a motion-blurred capture can be compared byte for byte with the frames of a
// capture at the higher rate.

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "e2e/rgb_png.h"
#include "tools/capture/frame_average.h"
#include "tools/capture/frame_writer.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: average_frames OUT IN...\n");
        return 2;
    }
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgb;
    if (!readRgbPng(argv[2], rgb, width, height)) {
        std::fprintf(stderr, "average_frames: cannot read %s\n", argv[2]);
        return 1;
    }
    FrameAverage average(rgb.size());
    average.add(rgb);
    for (int i = 3; i < argc; ++i) {
        int32_t w = 0;
        int32_t h = 0;
        if (!readRgbPng(argv[i], rgb, w, h) || w != width || h != height) {
            std::fprintf(stderr, "average_frames: cannot read %s as %dx%d\n", argv[i], width,
                         height);
            return 1;
        }
        average.add(rgb);
    }
    std::string error;
    if (!writePng(argv[1], average.take(), width, height, error)) {
        std::fprintf(stderr, "average_frames: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
