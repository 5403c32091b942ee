#include "app/player.h"

#include "app/music.h"
#include "base/picture.h"
#include "scenes/status.h"

// The picture's layout: 800x600, or with --sharp the window's own size.
PictureLayout Player::chooseLayout(const DemoOptions& options) const {
    int32_t width = 0;
    int32_t height = 0;
    window.drawableSize(width, height);
    if (options.sharp && pictureFits(width, height)) {
        return layoutFor(width, height);
    }
    return layoutFor(kPictureWidth, kPictureHeight);
}

void Player::start(const DemoOptions& options, uint32_t seed) {
    timer.start();
    window.setResizable(options.windowed);
    window.create(kPictureWidth, kPictureHeight, String("Zentrox"));
    const PictureLayout layout = chooseLayout(options);
    setPictureLayout(layout);
    haveContext = context.create(window, 32, 32, 8, layout.surfaceWidth, layout.surfaceHeight);
    if (!haveContext) {
        window.running = false;
    }
    if (haveContext) {
        context.makeCurrent();
        startDemo(demoTimeline(), seed);
    }
    music = startMusic();
    timer.reset();
}

bool Player::frame() {
    if (!window.running) {
        return false;
    }
    timer.tick();
    const float t = timer.elapsed();
    const float dt = timer.delta();
    formatTitle(title, sizeof title, t, dt, statusText);
    window.setTitle(title);
    if (!playDemoFrame(demoTimeline(), t, dt, musicSpectrum())) {
        return false;
    }
    context.swap();
    window.pumpMessages();
    return window.running;
}

void Player::stop() {
    stopMusic(music);
    music = nullptr;
    if (haveContext) {
        stopDemo(demoTimeline());
    }
    context.destroy();
    window.destroy();
    timer.stop();
}
