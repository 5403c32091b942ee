#pragma once
// A scene of the demo. The timeline calls render on the scene's single global object with the
// scene's own time; the scene sets its own projection from the global viewport, may use the
// whole render state, and leaves its picture in the lower-left viewport-sized area of the
// framebuffer.

class Effect {
public:
    virtual ~Effect() = default;

    // localTime: seconds since the scene's start in the timeline (slightly negative for the
    // first frames of a scene that opens early); dt: the previous frame's duration, seconds.
    virtual void render(float localTime, float dt) = 0;
    // Reads the scene's data files and builds its GL objects; runs once, before the music.
    virtual void load() = 0;
    // Nothing calls this; every scene implements it as doing nothing.
    virtual void idle() = 0;
};
