#include "app/browser_player.h"

#include <algorithm>
#include <cstdio>

#include "app/frame_grid.h"
#include "app/sys/page.h"
#include "base/picture.h"
#include "resources/data_manifest.h"
#include "resources/soundtrack.h"
#include "scenes/status.h"

namespace {

constexpr uint32_t kKeySpace = 32;
constexpr uint32_t kKeyLeft = 37;
constexpr uint32_t kKeyRight = 39;

double millisecondsBetween(std::chrono::steady_clock::time_point from,
                           std::chrono::steady_clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// The last time a seek may land on: the frame before the demo's end.
double latestSeek() {
    return kDemoEnd - 1.0 / kReplayFramesPerSecond;
}

}  // namespace

bool BrowserPlayer::Keys::handleMessage(const WindowMessage& message) {
    if (message.type == MessageType::KeyDown) {
        presses.push_back(message.code);
    }
    return DemoWindow::handleMessage(message);
}

void BrowserPlayer::start() {
    startedAt = Clock::now();
    window.create(kPictureWidth, kPictureHeight, String("Zentrox"));
    // The picture is drawn at the size it is shown at: a still at the canvas's, a run at the
    // screen's, where it plays in full screen (in a window it is scaled down to the canvas).
    int32_t width = 0;
    int32_t height = 0;
    if (pageStillSeconds() >= 0.0) {
        window.drawableSize(width, height);
    } else {
        pageScreenSize(width, height);
    }
    const PictureLayout layout = pictureFits(width, height)
                                     ? layoutFor(width, height)
                                     : layoutFor(kPictureWidth, kPictureHeight);
    setPictureLayout(layout);
    if (!context.create(window, 32, 32, 8, layout.surfaceWidth, layout.surfaceHeight)) {
        state = State::Failed;
        pageShowMessage("This demo needs WebGL 2, which this browser does not offer.");
        return;
    }
    context.makeCurrent();
    // The browser decodes the music while the demo loads.
    music.open(kMusic.name);
    startDemo(demoTimeline(), kReplaySeed);
    state = State::Loading;
}

// How long loading and the first seek took, for whoever watches the console.
void BrowserPlayer::logTimes(Clock::time_point seekStart) const {
    char line[128];
    std::snprintf(line, sizeof line, "zentrox: loaded in %.0f ms, first frame in %.0f ms more",
                  millisecondsBetween(startedAt, seekStart),
                  millisecondsBetween(seekStart, Clock::now()));
    pageLog(line);
}

void BrowserPlayer::frame() {
    window.pumpMessages();
    switch (state) {
        case State::Loading:
            finishLoading();
            break;
        case State::Playing:
        case State::Paused:
            handleKeys();
            if (state == State::Playing) {
                playOn();
            }
            break;
        case State::Failed:
        case State::Card:
        case State::Still:
            window.presses.clear();
            break;
    }
}

// The spectrum needs the decoded music, so nothing is drawn before it is there.
void BrowserPlayer::finishLoading() {
    if (!music.ready()) {
        return;
    }
    const double still = pageStillSeconds();
    if (still >= 0.0) {
        state = State::Still;
        pageShowStartCard(false);
        const Clock::time_point seekStart = Clock::now();
        seek(still);
        logTimes(seekStart);
        pageLog("zentrox: still ready");
        return;
    }
    state = State::Card;
    const double opening = pageOpeningSeconds();
    const Clock::time_point seekStart = Clock::now();
    seek(std::max(opening, 0.0));
    logTimes(seekStart);
    pageShowStartCard(true);
}

void BrowserPlayer::handleKeys() {
    std::vector<uint32_t> presses;
    presses.swap(window.presses);
    for (const uint32_t key : presses) {
        if (key == kKeySpace) {
            togglePause();
        } else if (key == kKeyLeft) {
            seek(position - kSeekStep);
        } else if (key == kKeyRight) {
            seek(position + kSeekStep);
        }
    }
    if (!window.running) {
        leave();
    }
}

void BrowserPlayer::playOn() {
    const float t = clockTime();
    if (t >= kDemoEnd) {
        leave();
        return;
    }
    drawFrame(t, t - position);
}

void BrowserPlayer::togglePause() {
    if (state == State::Playing) {
        music.pause();
        state = State::Paused;
        pageShowPosition(position, true);
    } else if (state == State::Paused) {
        state = State::Playing;
        startClock(position);
    }
}

void BrowserPlayer::begin() {
    if (state != State::Card) {
        return;
    }
    // The key that started the demo is not the player's.
    window.pumpMessages();
    window.presses.clear();
    pageShowStartCard(false);
    window.running = true;
    state = State::Playing;
    startClock(position);
}

void BrowserPlayer::seek(double seconds) {
    if (state == State::Failed || state == State::Loading) {
        return;
    }
    const SeekPoint point =
        seekPointAt(std::clamp(seconds, 0.0, latestSeek()), kReplayFramesPerSecond);
    startTimeline(demoTimeline(), kReplaySeed);
    seekTimeline(demoTimeline(), point.timesBefore, point.frameDuration, point.frameTime);
    drawFrame(point.frameTime, point.frameDuration);
    if (state == State::Playing) {
        startClock(point.frameTime);
    }
}

void BrowserPlayer::leave() {
    if (state != State::Playing && state != State::Paused) {
        return;
    }
    music.pause();
    pageLeaveFullScreen();
    window.running = true;
    state = State::Card;
    seek(0.0);
    pageShowStartCard(true);
}

void BrowserPlayer::stop() {
    music.pause();
    if (state != State::Failed) {
        stopDemo(demoTimeline());
    }
    context.destroy();
    window.destroy();
}

// The music plays from the frame of demo time `at`; demo time runs with its clock.
void BrowserPlayer::startClock(float at) {
    music.play(musicFrameAt(at));
    clockStart = music.clockSeconds();
    clockFrom = at;
    position = at;
}

float BrowserPlayer::clockTime() const {
    return clockFrom + static_cast<float>(music.clockSeconds() - clockStart);
}

void BrowserPlayer::drawFrame(float t, float dt) {
    formatTitle(title, sizeof title, t, dt, statusText);
    window.setTitle(title);
    playDemoFrame(demoTimeline(), t, dt, spectrumAt(t));
    context.swap();
    position = t;
    pageShowPosition(t, state != State::Playing);
}

// As the capture computes it: the window of the decoded music that ends at the frame's time.
SpectrumValues BrowserPlayer::spectrumAt(float t) {
    return analyser.analyseTrack(music.track(), musicFrameAt(t));
}
