#pragma once
// The demo's OpenGL context on its window: a double-buffered RGBA compatibility context and the
// surface that every frame is drawn into, 800x600 unless the picture is drawn at the display's
// own size. swap shows the surface in the window, scaled to fit with its aspect ratio kept and
// black bars around it.

#include <cstdint>
#include <memory>

#include "render/framebuffer.h"

class Window;

class GLContext {
public:
    GLContext();
    GLContext(const GLContext&) = delete;
    GLContext& operator=(const GLContext&) = delete;
    ~GLContext();

    // depthBits is a request: when refused, 24 and then 16 bits are tried. Also makes the
    // context current and binds a surface of the given size. False when no context could be
    // made.
    bool create(Window& window, int32_t colorBits, int32_t depthBits, int32_t stencilBits,
                int32_t surfaceWidth = kPictureWidth, int32_t surfaceHeight = kPictureHeight);
    void makeCurrent();
    // Finishes the frame, draws the surface into the window and presents it.
    void swap();
    void destroy();

    Framebuffer& surface() { return frame; }

private:
    struct Native;  // the backend's context

    // Makes the new context current on the window and binds a surface of that size; false,
    // with the context destroyed, when the driver refuses the surface.
    bool openSurface(Window& window, int32_t surfaceWidth, int32_t surfaceHeight);

    Window* owner = nullptr;
    std::unique_ptr<Native> context;
    Framebuffer frame;
};
