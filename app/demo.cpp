#include "app/demo.h"

#include <cstdio>

#include "app/scene_registry.h"
#include "app/timeline.h"
#include "render/render_state.h"

void prepareDemo(uint32_t seed) {
    setBaseRenderState();
    setupScenes();
    startTimeline(seed);
}

void formatTitle(char* buffer, size_t capacity, float t, float dt, const String& status) {
    if (capacity == 0) {
        return;
    }
    const double framesPerSecond = 1.0 / static_cast<double>(dt);
    std::snprintf(buffer, capacity, "Zentrox [FPS: %4.0f] [TIME: %3.1f] - %s", framesPerSecond,
                  static_cast<double>(t), status.c_str());
}
