#pragma once
// The demo as a screen plays it: its window, GL context, music and clock around the demo's
// frame (app/demo.h). start, then frame until it answers false, then stop: the desktop's main
// loops over frame, a host that owns the loop calls it once per frame.

#include <cstdint>

#include "app/demo.h"
#include "app/demo_options.h"
#include "app/demo_window.h"
#include "app/sys/gl_context.h"
#include "app/sys/sound.h"
#include "app/timer.h"

class Player {
public:
    Player() = default;
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    // Opens the window and its context, loads everything, starts the music and the clock.
    // Without a context no GL call may run at all: frame then answers false at once, and the
    // demo goes straight to its shutdown, as silently as after Escape.
    void start(const DemoOptions& options, uint32_t seed);
    // One frame at the clock's time: the title, the frame itself, then it is shown and the
    // window's messages are handled. False once the demo is over (the timeline's end, Escape,
    // a close request); nothing more is to be drawn.
    bool frame();
    // Stops the music, frees what start loaded and closes the window.
    void stop();

private:
    PictureLayout chooseLayout(const DemoOptions& options) const;

    DemoWindow window;
    GLContext context;
    Timer timer;
    SoundStream* music = nullptr;
    bool haveContext = false;
    char title[kTitleCapacity] = {};
};
