#pragma once
// A scene of the demo. The timeline calls render on the scene's single global object with the
// scene's own time; the scene sets its own projection from the global viewport, may use the
// whole render state, and leaves its picture in the lower-left viewport-sized area of the
// framebuffer. A picture depends on the scene's time and on the state advance() carries, and
// on nothing else from earlier frames.

class Effect {
public:
    virtual ~Effect() = default;

    // localTime: seconds since the scene's start in the timeline (slightly negative for the
    // first frames of a scene that opens early); dt: the previous frame's duration, seconds.
    virtual void render(float localTime, float dt) = 0;
    // Moves what the scene carries from one frame to the next to where render(localTime, dt)
    // leaves it, by the same arithmetic, drawing nothing: seeking plays the frames before a
    // capture's first through this. render calls it itself. Scenes that carry nothing keep
    // this default.
    virtual void advance(float localTime, float dt) {
        (void)localTime;
        (void)dt;
    }
    // Reads the scene's data files and builds its GL objects; runs once, before the music.
    virtual void load() = 0;
    // Frees the scene's GL objects while the context is still current; runs once, at
    // shutdown. Scenes without GL objects of their own keep this default.
    virtual void unload() {}
    // Nothing calls this; every scene implements it as doing nothing.
    virtual void idle() = 0;
};
