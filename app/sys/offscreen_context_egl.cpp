#include "app/sys/offscreen_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstring>
#include <string>

#include "base/gl_api.h"

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
    const char* const clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (clientExtensions == nullptr ||
        std::strstr(clientExtensions, "EGL_MESA_platform_surfaceless") == nullptr) {
        return fail("EGL lacks Mesa's surfaceless platform");
    }
    native->display =
        eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (native->display == EGL_NO_DISPLAY ||
        eglInitialize(native->display, nullptr, nullptr) != EGL_TRUE) {
        native->display = nullptr;
        return fail("cannot open Mesa's surfaceless EGL display");
    }
    if (eglBindAPI(kOpenGLES ? EGL_OPENGL_ES_API : EGL_OPENGL_API) != EGL_TRUE) {
        return fail(kOpenGLES ? "EGL offers no OpenGL ES" : "EGL offers no desktop OpenGL");
    }
    const EGLint renderable = kOpenGLES ? EGL_OPENGL_ES3_BIT : EGL_OPENGL_BIT;
    const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE,
                                       renderable, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint configCount = 0;
    if (eglChooseConfig(native->display, configAttributes, &config, 1, &configCount) != EGL_TRUE ||
        configCount == 0) {
        config = nullptr;  // surfaceless contexts may do without a config
    }
    const EGLint desktopAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                        EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    const EGLint esAttributes[] = {EGL_CONTEXT_MAJOR_VERSION, 3, EGL_CONTEXT_MINOR_VERSION, 0,
                                   EGL_NONE};
    native->context = eglCreateContext(native->display, config, EGL_NO_CONTEXT,
                                       kOpenGLES ? esAttributes : desktopAttributes);
    if (native->context == EGL_NO_CONTEXT) {
        native->context = nullptr;
        return fail(kOpenGLES ? "cannot create an OpenGL ES 3.0 context"
                              : "cannot create an OpenGL compatibility context");
    }
    if (eglMakeCurrent(native->display, EGL_NO_SURFACE, EGL_NO_SURFACE, native->context) !=
        EGL_TRUE) {
        return fail("cannot make the context current without a surface");
    }
    const int32_t largest = Framebuffer::largestSide();
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
    frame.finish();
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
