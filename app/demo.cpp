#include "app/demo.h"

#include <cstdio>

#include "app/scene_table.h"
#include "app/spectrum.h"
#include "render/render_state.h"

void startDemo(const Timeline& timeline, uint32_t seed) {
    setBaseRenderState();
    setupScenes(timeline.scenes);
    startTimeline(timeline, seed);
}

bool playDemoFrame(const Timeline& timeline, float t, float dt, const SpectrumValues& spectrum,
                   TimelineObserver* observer) {
    reduceSpectrum(spectrum);
    return runTimeline(timeline, t, dt, observer);
}

void stopDemo(const Timeline& timeline) {
    releaseScenes(timeline.scenes);
}

void formatTitle(char* buffer, size_t capacity, float t, float dt, const String& status) {
    if (capacity == 0) {
        return;
    }
    const double framesPerSecond = 1.0 / static_cast<double>(dt);
    std::snprintf(buffer, capacity, "Zentrox [FPS: %4.0f] [TIME: %3.1f] - %s", framesPerSecond,
                  static_cast<double>(t), status.c_str());
}
