#pragma once
// A scene of the demo. The timeline calls render on the scene's single global object with the
// scene's own time. A frame is two steps in a fixed order, written here once: advance moves
// what the scene carries from frame to frame, then draw paints the picture from it. draw is
// const, so no picture can change what a later frame sees; seeking plays the earlier frames
// through advance alone and arrives at the same state. draw sets its own projection from the
// global viewport, may use the whole render state, and leaves its picture in the lower-left
// viewport-sized area of the framebuffer.

class Effect {
public:
    virtual ~Effect() = default;

    // One frame. localTime: seconds since the scene's start in the timeline (slightly negative
    // for the first frames of a scene that opens early); dt: the previous frame's duration,
    // seconds.
    void render(float localTime, float dt) {
        advance(localTime, dt);
        draw(localTime, dt);
    }
    // Moves the carried state to where the frame at localTime leaves it, drawing nothing. The
    // only place a scene may change state that a later frame reads. Scenes that carry nothing
    // keep this default.
    virtual void advance(float localTime, float dt) {
        (void)localTime;
        (void)dt;
    }
    // The picture of the frame at localTime from the state advance left.
    virtual void draw(float localTime, float dt) const = 0;
    // Puts the carried state back to where it is before the scene's first frame, as after
    // load: a player that seeks backwards starts again from there.
    virtual void restart() {}
    // Reads the scene's data files and builds its GL objects; runs once, before the music.
    virtual void load() = 0;
    // Frees the scene's GL objects while the context is still current; runs once, at
    // shutdown. Scenes without GL objects of their own keep this default.
    virtual void unload() {}
    // Nothing calls this; every scene implements it as doing nothing.
    virtual void idle() = 0;
};
