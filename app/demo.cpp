#include "app/demo.h"

#include <cstdio>

#include "app/scene_registry.h"
#include "base/gl.h"

void setGlobalRenderState() {
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHT0);
    glDisable(GL_LIGHTING);
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearStencil(0);
    glClearDepth(1.0);
    glDepthFunc(GL_LESS);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}

void prepareDemo() {
    setGlobalRenderState();
    setupScenes();
}

void formatTitle(char* buffer, size_t capacity, float t, float dt, const String& status) {
    if (capacity == 0) {
        return;
    }
    const double framesPerSecond = 1.0 / static_cast<double>(dt);
    std::snprintf(buffer, capacity, "Zentrox [FPS: %4.0f] [TIME: %3.1f] - %s", framesPerSecond,
                  static_cast<double>(t), status.c_str());
}
