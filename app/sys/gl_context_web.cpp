// The context in a browser: WebGL 2 on the page's canvas. The canvas itself needs neither depth
// nor alpha, only the finished picture; it keeps its pixels between frames, so that a paused or
// finished picture stays and can be read back.

#include <emscripten/html5.h>

#include "app/sys/gl_context.h"
#include "app/sys/window.h"
#include "base/gl.h"

struct GLContext::Native {
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context;
};

GLContext::GLContext() = default;

GLContext::~GLContext() = default;

bool GLContext::create(Window& window, int32_t, int32_t, int32_t, int32_t surfaceWidth,
                       int32_t surfaceHeight) {
    if (window.native() == nullptr) {
        return false;
    }
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.majorVersion = 2;
    attributes.minorVersion = 0;
    attributes.alpha = EM_FALSE;
    attributes.depth = EM_FALSE;
    attributes.stencil = EM_FALSE;
    attributes.antialias = EM_FALSE;
    attributes.preserveDrawingBuffer = EM_TRUE;
    attributes.powerPreference = EM_WEBGL_POWER_PREFERENCE_HIGH_PERFORMANCE;
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE made =
        emscripten_webgl_create_context("#canvas", &attributes);
    if (made <= 0) {
        return false;
    }
    context = std::make_unique<Native>(Native{made});
    return openSurface(window, surfaceWidth, surfaceHeight);
}

void GLContext::makeCurrent() {
    if (context) {
        emscripten_webgl_make_context_current(context->context);
    }
}

// NOTE: no finish: the browser presents the canvas when the animation frame returns, and
// waiting for the GPU here would only stall the page.
void GLContext::swap() {
    int32_t width = 0;
    int32_t height = 0;
    owner->drawableSize(width, height);
    frame.blitTo(0, width, height);
}

void GLContext::destroy() {
    if (!context) {
        return;
    }
    frame.destroy();
    emscripten_webgl_destroy_context(context->context);
    context.reset();
    owner = nullptr;
}
