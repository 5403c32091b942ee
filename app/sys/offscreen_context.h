#pragma once
// An OpenGL compatibility context with no display at all (Mesa's surfaceless EGL platform) and
// a surface like the one the demo draws into, 800x600 unless asked otherwise, so that frames
// can be rendered and read back anywhere: by the capture tool and by the render tests.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "render/framebuffer.h"

class OffscreenContext {
public:
    OffscreenContext();
    OffscreenContext(const OffscreenContext&) = delete;
    OffscreenContext& operator=(const OffscreenContext&) = delete;
    ~OffscreenContext();

    // Makes the context current and binds the surface. False, with a reason in error(), when
    // EGL or the driver refuses, also a surface larger than the driver draws.
    bool create(int32_t width = kPictureWidth, int32_t height = kPictureHeight);
    void makeCurrent();
    // Finishes the frame; there is nothing to present.
    void swap();
    void destroy();

    Framebuffer& surface() { return frame; }
    // The surface's pixels, RGB, top row first.
    std::vector<uint8_t> readPixels() const { return frame.readPixels(); }
    const char* error() const { return failure.c_str(); }

private:
    struct Native;  // the backend's display and context

    bool fail(std::string reason);

    std::unique_ptr<Native> native;
    Framebuffer frame;
    std::string failure;
};
