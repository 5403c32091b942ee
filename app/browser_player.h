#pragma once
// The demo as a browser plays it, with a player around it: loading, a start card, playing in
// step with the music, pause, seeks and stills. The browser owns the loop and calls frame once
// per animation frame; the page calls begin, seek and leave for what the viewer does there.
//
// Every seek lands on the frame a capture shows at that time (app/frame_grid.h, with the replay
// grid and seed of app/demo.h): the timeline restarts, the grid frames before the time play
// without drawing, then the frame is drawn. Playing on from there, demo time is the music's
// clock, so dropped frames never move the picture away from the sound.

#include <chrono>
#include <cstdint>
#include <vector>

#include "app/demo.h"
#include "app/demo_window.h"
#include "app/sys/gl_context.h"
#include "app/sys/music_player.h"
#include "resources/spectrum_analyser.h"

// Space pauses and resumes, the arrows seek by this much.
constexpr float kSeekStep = 5.0f;  // seconds

class BrowserPlayer {
public:
    BrowserPlayer() = default;
    BrowserPlayer(const BrowserPlayer&) = delete;
    BrowserPlayer& operator=(const BrowserPlayer&) = delete;

    // Opens the canvas and its context, loads the demo at the canvas's size and starts decoding
    // the music. Without WebGL 2 the page says so and nothing more happens.
    void start();
    // One animation frame: the viewer's keys, then whatever the player's state draws.
    void frame();
    // The start card was clicked: plays from the frame shown, with the music.
    void begin();
    // Shows the frame at `seconds`, playing on from there unless paused.
    void seek(double seconds);
    // Back to the start card, from the beginning (Escape, full screen left, the demo's end).
    void leave();
    void stop();

private:
    enum class State { Failed, Loading, Card, Playing, Paused, Still };
    using Clock = std::chrono::steady_clock;

    // Keys as presses in order: a press and release between two frames still counts once.
    class Keys : public DemoWindow {
    public:
        bool handleMessage(const WindowMessage& message) override;
        std::vector<uint32_t> presses;
    };

    void finishLoading();
    void logTimes(Clock::time_point seekStart) const;
    void handleKeys();
    void playOn();
    void togglePause();
    void startClock(float at);
    float clockTime() const;
    void drawFrame(float t, float dt);
    SpectrumValues spectrumAt(float t);

    Keys window;
    GLContext context;
    MusicPlayer music;
    SpectrumAnalyser analyser;
    State state = State::Failed;
    float position = 0.0f;    // demo time of the frame shown, seconds
    double clockStart = 0.0;  // the music clock's seconds when demo time was `clockFrom`
    float clockFrom = 0.0f;   // seconds
    Clock::time_point startedAt;
    char title[kTitleCapacity] = {};
};
