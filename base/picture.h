#pragma once
// The size the demo draws at. The picture is 4:3, 800x600 as the timeline and the scenes were
// made for: scene pictures of 512x512 pixels, a frame of 800x600. At any other size of surface
// the picture is the largest 4:3 area that fits, centred, with black bars on the other sides,
// and every count of pixels scales with its height over 600: the scene viewport and the render
// targets, the copies into them, and the width of smoothed lines. Set once, before the texture
// table is loaded; at 800x600 nothing differs from the picture as made.

#include <cstdint>

constexpr int32_t kPictureWidth = 800;     // pixels at scale 1
constexpr int32_t kPictureHeight = 600;    // pixels at scale 1
constexpr int32_t kSceneTargetSide = 512;  // pixels at scale 1, square

struct Rectangle {
    int32_t x;  // from the left
    int32_t y;  // from the bottom
    int32_t width;
    int32_t height;
};

// The largest area of a target size that shows a source size with its aspect ratio kept,
// centred, so that black bars fill the rest.
Rectangle letterbox(int32_t sourceWidth, int32_t sourceHeight, int32_t targetWidth,
                    int32_t targetHeight);

struct PictureLayout {
    int32_t surfaceWidth;   // pixels
    int32_t surfaceHeight;  // pixels
    Rectangle area;         // the 4:3 picture within the surface
    int32_t targetSide;     // pixels, the side of the square scene pictures
    float scale;            // area.height / 600
};

// The layout of a surface of that size; a surface too small for one scene picture is refused by
// the caller (see pictureFits).
PictureLayout layoutFor(int32_t surfaceWidth, int32_t surfaceHeight);
// Whether a surface of that size holds a picture at all: at least 4x3 pixels.
bool pictureFits(int32_t surfaceWidth, int32_t surfaceHeight);

// The largest surface a screen's picture is drawn at: 4K UHD. A larger display gets a picture of
// this size scaled up.
constexpr int32_t kLargestSurfaceWidth = 3840;
constexpr int32_t kLargestSurfaceHeight = 2160;

struct SurfaceSize {
    int32_t width;
    int32_t height;
};

// A display area of that many pixels (fractions allowed, as a page's CSS size times its pixel
// ratio gives them), scaled down as a whole where either side passes 4K, in whole pixels and at
// least 1x1.
SurfaceSize cappedSurfaceSize(double width, double height);

// The layout every pass and scene draws with; 800x600 until set.
const PictureLayout& pictureLayout();
void setPictureLayout(const PictureLayout& layout);
