#include "app/sys/offscreen_context.h"

#include <epoxy/egl.h>

#include <string>

#include "base/gl.h"

struct OffscreenContext::Native {
    EGLDisplay display = nullptr;
    EGLContext context = nullptr;
};

OffscreenContext::OffscreenContext() : native(std::make_unique<Native>()) {}

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
    native->display =
        eglGetPlatformDisplayEXT(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (native->display == EGL_NO_DISPLAY ||
        eglInitialize(native->display, nullptr, nullptr) != EGL_TRUE) {
        native->display = nullptr;
        return fail("cannot open Mesa's surfaceless EGL display");
    }
    if (eglBindAPI(EGL_OPENGL_API) != EGL_TRUE) {
        return fail("EGL offers no desktop OpenGL");
    }
    const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE,
                                       EGL_OPENGL_BIT, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint configCount = 0;
    if (eglChooseConfig(native->display, configAttributes, &config, 1, &configCount) != EGL_TRUE ||
        configCount == 0) {
        config = nullptr;  // surfaceless contexts may do without a config
    }
    const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                        EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    native->context = eglCreateContext(native->display, config, EGL_NO_CONTEXT, contextAttributes);
    if (native->context == EGL_NO_CONTEXT) {
        native->context = nullptr;
        return fail("cannot create an OpenGL compatibility context");
    }
    if (eglMakeCurrent(native->display, EGL_NO_SURFACE, EGL_NO_SURFACE, native->context) !=
        EGL_TRUE) {
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
    if (native->context != nullptr) {
        eglMakeCurrent(native->display, EGL_NO_SURFACE, EGL_NO_SURFACE, native->context);
    }
}

void OffscreenContext::swap() {
    glFlush();
    glFinish();
}

void OffscreenContext::destroy() {
    if (native->context != nullptr) {
        frame.destroy();
        eglMakeCurrent(native->display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglDestroyContext(native->display, native->context);
        native->context = nullptr;
    }
    if (native->display != nullptr) {
        eglTerminate(native->display);
        native->display = nullptr;
    }
}
