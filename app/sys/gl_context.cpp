#include "app/sys/gl_context.h"

// What every backend does once its context exists: make it current and bind the surface.
bool GLContext::openSurface(Window& window, int32_t surfaceWidth, int32_t surfaceHeight) {
    owner = &window;
    makeCurrent();
    if (!frame.create(surfaceWidth, surfaceHeight)) {
        destroy();
        return false;
    }
    frame.bind();
    return true;
}
