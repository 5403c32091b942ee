#pragma once
// The demo's drawing surface: a framebuffer object with an RGB colour buffer (no alpha, so
// copied scene pictures read as opaque) and 24-bit depth with 8-bit stencil, 800x600 unless
// the picture is drawn at another size. While it is bound every clear, draw and framebuffer
// copy of the demo works on this picture, whatever the size of the window that finally shows
// it.

#include <cstdint>
#include <vector>

#include "base/picture.h"

class Framebuffer {
public:
    Framebuffer() = default;
    Framebuffer(const Framebuffer&) = delete;
    Framebuffer& operator=(const Framebuffer&) = delete;

    // Needs a current context. False when the driver refuses the buffer combination.
    bool create(int32_t width, int32_t height);
    void destroy();
    // Binds the surface for drawing and reading.
    void bind() const;
    // Clears the target framebuffer (0: the window's own) to black and draws the surface into
    // it, scaled to fit with black bars; the surface is bound again afterwards.
    void blitTo(uint32_t target, int32_t targetWidth, int32_t targetHeight) const;
    // The surface's pixels, RGB, top row first.
    std::vector<uint8_t> readPixels() const;

    // Waits until every command so far has drawn into the surface.
    void finish() const;
    // The largest side, in pixels, the current context draws a surface at.
    static int32_t largestSide();

    uint32_t name() const { return framebuffer; }
    int32_t width() const { return surfaceWidth; }
    int32_t height() const { return surfaceHeight; }

private:
    uint32_t framebuffer = 0;
    uint32_t colourBuffer = 0;
    uint32_t depthStencilBuffer = 0;
    int32_t surfaceWidth = 0;
    int32_t surfaceHeight = 0;
};
