#include "base/picture.h"

#include <algorithm>
#include <cmath>

namespace {

PictureLayout current = layoutFor(kPictureWidth, kPictureHeight);

}  // namespace

Rectangle letterbox(int32_t sourceWidth, int32_t sourceHeight, int32_t targetWidth,
                    int32_t targetHeight) {
    if (sourceWidth <= 0 || sourceHeight <= 0 || targetWidth <= 0 || targetHeight <= 0) {
        return {0, 0, 0, 0};
    }
    // Compare the two aspect ratios in integers to avoid rounding a perfect fit away.
    const int64_t wide = int64_t{targetWidth} * sourceHeight;
    const int64_t tall = int64_t{targetHeight} * sourceWidth;
    int32_t width = targetWidth;
    int32_t height = targetHeight;
    if (wide > tall) {
        width = static_cast<int32_t>(int64_t{targetHeight} * sourceWidth / sourceHeight);
    } else if (wide < tall) {
        height = static_cast<int32_t>(int64_t{targetWidth} * sourceHeight / sourceWidth);
    }
    return {(targetWidth - width) / 2, (targetHeight - height) / 2, width, height};
}

SurfaceSize cappedSurfaceSize(double width, double height) {
    const double fit = std::min({1.0, kLargestSurfaceWidth / std::max(width, 1.0),
                                 kLargestSurfaceHeight / std::max(height, 1.0)});
    return {std::max(1, static_cast<int32_t>(std::lround(width * fit))),
            std::max(1, static_cast<int32_t>(std::lround(height * fit)))};
}

bool pictureFits(int32_t surfaceWidth, int32_t surfaceHeight) {
    return surfaceWidth >= 4 && surfaceHeight >= 3;
}

PictureLayout layoutFor(int32_t surfaceWidth, int32_t surfaceHeight) {
    PictureLayout layout = {};
    layout.surfaceWidth = surfaceWidth;
    layout.surfaceHeight = surfaceHeight;
    layout.area = letterbox(kPictureWidth, kPictureHeight, surfaceWidth, surfaceHeight);
    layout.scale = static_cast<float>(layout.area.height) / static_cast<float>(kPictureHeight);
    // NOTE: rounded, not truncated: 1080 lines give 921.6, drawn as 922.
    layout.targetSide = static_cast<int32_t>(
        std::lround(static_cast<double>(kSceneTargetSide) * layout.area.height / kPictureHeight));
    if (layout.targetSide < 1) {
        layout.targetSide = 1;
    }
    return layout;
}

const PictureLayout& pictureLayout() {
    return current;
}

void setPictureLayout(const PictureLayout& layout) {
    current = layout;
}
