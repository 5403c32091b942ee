// The demo: one full-screen window, the scenes in time with the music for 190 seconds, and an
// orderly shutdown on Escape, on a close request or at the end of the timeline.

#include <ctime>

#include "app/demo.h"
#include "app/demo_window.h"
#include "app/gl_context.h"
#include "app/music.h"
#include "app/random.h"
#include "app/scene_registry.h"
#include "app/timeline.h"
#include "app/timer.h"
#include "resources/texture_table.h"

namespace {

DemoWindow demoWindow;
GLContext glContext;

}  // namespace

int main() {
    Timer timer;
    timer.start();
    demoWindow.create(kScreenWidth, kScreenHeight, String("Zentrox"));
    // NOTE: without a context no GL call may run at all; the demo then skips straight to its
    // shutdown, as silently as it would after Escape.
    const bool haveContext = glContext.create(demoWindow, 32, 32, 8);
    if (!haveContext) {
        demoWindow.running = false;
    }
    seedRandom(static_cast<uint32_t>(std::time(nullptr)));
    if (haveContext) {
        glContext.makeCurrent();
        prepareDemo();
    }
    SoundStream* musicStream = startMusic();
    timer.reset();

    char title[kTitleCapacity];
    while (demoWindow.running) {
        timer.tick();
        const float t = timer.elapsed();
        const float dt = timer.delta();
        formatTitle(title, sizeof title, t, dt, statusText);
        demoWindow.setTitle(title);
        updateSpectrum();
        if (!runTimeline(t, dt)) {
            break;
        }
        glContext.swap();
        demoWindow.pumpMessages();
    }

    stopMusic(musicStream);
    if (haveContext) {
        releaseTextureTable();
    }
    glContext.destroy();
    demoWindow.destroy();
    timer.stop();
    return 0;
}
