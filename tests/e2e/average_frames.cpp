// average_frames OUT IN...: writes the mean of the PNG pictures IN, taken as the capture's
// shutter takes it (in linear light), as the PNG file OUT, encoded as the capture encodes its
// frames, so that a motion-blurred capture can be compared byte for byte with the frames of a
// capture at the higher rate.

#include <png.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/capture/frame_average.h"
#include "tools/capture/frame_writer.h"

namespace {

bool readRgb(const char* path, std::vector<uint8_t>& rgb, int32_t& width, int32_t& height) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path) == 0) {
        return false;
    }
    image.format = PNG_FORMAT_RGB;
    rgb.resize(PNG_IMAGE_SIZE(image));
    width = static_cast<int32_t>(image.width);
    height = static_cast<int32_t>(image.height);
    return png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) != 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: average_frames OUT IN...\n");
        return 2;
    }
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgb;
    if (!readRgb(argv[2], rgb, width, height)) {
        std::fprintf(stderr, "average_frames: cannot read %s\n", argv[2]);
        return 1;
    }
    FrameAverage average(rgb.size());
    average.add(rgb);
    for (int i = 3; i < argc; ++i) {
        int32_t w = 0;
        int32_t h = 0;
        if (!readRgb(argv[i], rgb, w, h) || w != width || h != height) {
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
