// The demo: one full-screen window, the scenes in time with the music for 190 seconds, and an
// orderly shutdown on Escape, on a close request or at the end of the timeline. Options may
// draw the picture at the display's own size or play in a window; without them it plays as
// made.

#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "app/demo.h"
#include "app/demo_options.h"
#include "app/demo_window.h"
#include "app/sys/gl_context.h"
#include "app/music.h"
#include "base/random.h"
#include "app/scene_registry.h"
#include "app/timeline.h"
#include "app/timer.h"
#include "base/picture.h"
#include "base/version.h"
#include "resources/texture_table.h"

namespace {

DemoWindow demoWindow;
GLContext glContext;

// The picture's layout: 800x600, or with --sharp the window's own size.
PictureLayout chooseLayout(const DemoOptions& options) {
    int32_t width = 0;
    int32_t height = 0;
    demoWindow.drawableSize(width, height);
    if (options.sharp && pictureFits(width, height)) {
        return layoutFor(width, height);
    }
    return layoutFor(kPictureWidth, kPictureHeight);
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    const std::optional<DemoOptions> options =
        parseDemoOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::fprintf(stderr, "zentrox: %s\n%s", error.c_str(), demoUsage().c_str());
        return 2;
    }
    if (options->showHelp || options->showVersion) {
        std::fputs(options->showHelp ? demoUsage().c_str() : versionLine("zentrox").c_str(),
                   stdout);
        return 0;
    }
    Timer timer;
    timer.start();
    demoWindow.setResizable(options->windowed);
    demoWindow.create(kPictureWidth, kPictureHeight, String("Zentrox"));
    const PictureLayout layout = chooseLayout(*options);
    setPictureLayout(layout);
    // NOTE: without a context no GL call may run at all; the demo then skips straight to its
    // shutdown, as silently as it would after Escape.
    const bool haveContext =
        glContext.create(demoWindow, 32, 32, 8, layout.surfaceWidth, layout.surfaceHeight);
    if (!haveContext) {
        demoWindow.running = false;
    }
    if (haveContext) {
        glContext.makeCurrent();
        prepareDemo(static_cast<uint32_t>(std::time(nullptr)));
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
        releaseScenes();
    }
    glContext.destroy();
    demoWindow.destroy();
    timer.stop();
    return 0;
}
