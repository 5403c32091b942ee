#include <epoxy/egl.h>

#include <string>

#include "app/sys/offscreen_context.h"
#include "base/gl.h"

OffscreenContext::~OffscreenContext() {
    destroy();
}

bool OffscreenContext::fail(std::string reason) {
    failure = std::move(reason);
    destroy();
    return false;
}

bool OffscreenContext::create(int32_t width, int32_t height) {
    if (!epoxy_has_egl_extension(EGL_NO_DISPLAY, "EGL_MESA_platform_surfaceless")) {
        return fail("EGL lacks Mesa's surfaceless platform");
    }
    display = eglGetPlatformDisplayEXT(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY || eglInitialize(display, nullptr, nullptr) != EGL_TRUE) {
        display = nullptr;
        return fail("cannot open Mesa's surfaceless EGL display");
    }
    if (eglBindAPI(EGL_OPENGL_API) != EGL_TRUE) {
        return fail("EGL offers no desktop OpenGL");
    }
    const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE,
                                       EGL_OPENGL_BIT, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint configCount = 0;
    if (eglChooseConfig(display, configAttributes, &config, 1, &configCount) != EGL_TRUE ||
        configCount == 0) {
        config = nullptr;  // surfaceless contexts may do without a config
    }
    const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                        EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
    if (context == EGL_NO_CONTEXT) {
        context = nullptr;
        return fail("cannot create an OpenGL compatibility context");
    }
    if (eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context) != EGL_TRUE) {
        return fail("cannot make the context current without a surface");
    }
    GLint largest = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
    if (width > largest || height > largest) {
        return fail("the driver draws at most " + std::to_string(largest) + " pixels a side, not " +
                    std::to_string(width) + "x" + std::to_string(height));
    }
    if (!frame.create(width, height)) {
        return fail("the driver refuses a framebuffer of " + std::to_string(width) + "x" +
                    std::to_string(height));
    }
    frame.bind();
    return true;
}

void OffscreenContext::makeCurrent() {
    if (context != nullptr) {
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context);
    }
}

void OffscreenContext::swap() {
    glFlush();
    glFinish();
}

void OffscreenContext::destroy() {
    if (context != nullptr) {
        frame.destroy();
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglDestroyContext(display, context);
        context = nullptr;
    }
    if (display != nullptr) {
        eglTerminate(display);
        display = nullptr;
    }
}
