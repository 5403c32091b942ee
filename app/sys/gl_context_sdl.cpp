#include "app/sys/gl_context.h"

#include <array>

#include "app/sys/window_sdl.h"
#include "base/gl.h"
#include "base/gl_api.h"

struct GLContext::Native {
    SDL_GLContext context;
};

void requestContextProfile() {
    if (kOpenGLES) {
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    } else {
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    }
}

namespace {

SDL_GLContext createContext(SDL_Window* window, int32_t colorBits, int32_t depthBits,
                            int32_t stencilBits) {
    const int32_t channelBits = colorBits >= 24 ? 8 : 5;
    requestContextProfile();
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, channelBits);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, channelBits);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, channelBits);
    // No destination alpha: copied scene pictures must read as opaque.
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, stencilBits);
    const std::array<int32_t, 3> depthRequests = {depthBits, 24, 16};
    for (const int32_t depth : depthRequests) {
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depth);
        SDL_GLContext context = SDL_GL_CreateContext(window);
        if (context != nullptr) {
            return context;
        }
    }
    return nullptr;
}

}  // namespace

GLContext::GLContext() = default;

GLContext::~GLContext() = default;

bool GLContext::create(Window& window, int32_t colorBits, int32_t depthBits, int32_t stencilBits,
                       int32_t surfaceWidth, int32_t surfaceHeight) {
    if (window.native() == nullptr) {
        return false;
    }
    SDL_GLContext made = createContext(window.native()->window, colorBits, depthBits, stencilBits);
    if (made == nullptr) {
        return false;
    }
    context = std::make_unique<Native>(Native{made});
    return openSurface(window, surfaceWidth, surfaceHeight);
}

void GLContext::makeCurrent() {
    if (owner != nullptr && context) {
        SDL_GL_MakeCurrent(owner->native()->window, context->context);
    }
}

void GLContext::swap() {
    glFlush();
    glFinish();
    int32_t width = 0;
    int32_t height = 0;
    owner->drawableSize(width, height);
    frame.blitTo(0, width, height);
    SDL_GL_SwapWindow(owner->native()->window);
}

void GLContext::destroy() {
    if (!context) {
        return;
    }
    frame.destroy();
    SDL_GL_MakeCurrent(owner->native()->window, nullptr);
    SDL_GL_DeleteContext(context->context);
    context.reset();
    owner = nullptr;
}
