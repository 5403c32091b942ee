// frame_difference A B: how far the PNG picture B lies from A, as two figures on one line:
// "rmse=R coarse=C", R the root mean square difference over every channel of every pixel
// (0-255), C the largest channel difference after both are shrunk by 8 with a box filter
// (8x8 blocks averaged). R catches many small differences, C a missing or misplaced object
// or a wrong fog while letting edge antialiasing differ. Exits 1 when the pictures cannot be
// read or differ in size.

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "e2e/rgb_png.h"

namespace {

struct Picture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgb;
};

bool readRgb(const char* path, Picture& picture) {
    return readRgbPng(path, picture.rgb, picture.width, picture.height);
}

double rootMeanSquare(const Picture& a, const Picture& b) {
    double sum = 0.0;
    for (size_t i = 0; i < a.rgb.size(); ++i) {
        const double d = static_cast<double>(a.rgb[i]) - static_cast<double>(b.rgb[i]);
        sum += d * d;
    }
    return a.rgb.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(a.rgb.size()));
}

// The mean of channel c over the block at (bx, by), cut at the picture's edge.
double blockMean(const Picture& p, int32_t bx, int32_t by, int32_t c) {
    double sum = 0.0;
    int32_t count = 0;
    for (int32_t y = by * 8; y < std::min(p.height, by * 8 + 8); ++y) {
        for (int32_t x = bx * 8; x < std::min(p.width, bx * 8 + 8); ++x) {
            sum += p.rgb[(static_cast<size_t>(y) * static_cast<size_t>(p.width) +
                          static_cast<size_t>(x)) *
                             3 +
                         static_cast<size_t>(c)];
            ++count;
        }
    }
    return sum / count;
}

double coarseDifference(const Picture& a, const Picture& b) {
    double largest = 0.0;
    for (int32_t by = 0; by * 8 < a.height; ++by) {
        for (int32_t bx = 0; bx * 8 < a.width; ++bx) {
            for (int32_t c = 0; c < 3; ++c) {
                largest =
                    std::max(largest, std::fabs(blockMean(a, bx, by, c) - blockMean(b, bx, by, c)));
            }
        }
    }
    return largest;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: frame_difference A B\n");
        return 2;
    }
    Picture a;
    Picture b;
    if (!readRgb(argv[1], a) || !readRgb(argv[2], b)) {
        std::fprintf(stderr, "frame_difference: cannot read %s or %s\n", argv[1], argv[2]);
        return 1;
    }
    if (a.width != b.width || a.height != b.height) {
        std::fprintf(stderr, "frame_difference: %dx%d against %dx%d\n", a.width, a.height, b.width,
                     b.height);
        return 1;
    }
    std::printf("rmse=%.3f coarse=%.2f\n", rootMeanSquare(a, b), coarseDifference(a, b));
    return 0;
}
