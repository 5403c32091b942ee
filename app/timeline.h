#pragma once
// The demo timeline: from the demo time alone it decides which scenes render and how their
// pictures reach the screen. Two passes a frame, both walking a table:
// - the scene pass renders every open scene into the lower-left 512x512 area and copies that
//   area into the scene's render target;
// - the compose pass clears the 800x600 frame and draws the last open step, which alone would
//   decide the picture if every open step drew (each clears the frame first).
// A scene whose picture no frame can show, now or held in its target later, only advances.
// At another picture size both areas scale with it (base/picture.h).
// All windows are open intervals in single-precision seconds of demo time.

#include <array>
#include <cstdint>
#include <span>

#include "app/scene_table.h"
#include "render/compositing.h"

struct TimeWindow {
    float after;   // seconds, exclusive
    float before;  // seconds, exclusive
    bool contains(float t) const { return after < t && t < before; }
};

// A scene renders while its window is open, at its own clock (SceneEntry::localStart), into
// its own render target.
struct SceneRow {
    TimeWindow window;
    int32_t scene;  // row in the timeline's scene table
};

enum class ComposeAction { Show, TileDissolve, CrossFade };

// Show draws `from` full screen. The transitions blend from -> to with
// x = (t - transitionStart) * transitionRate. Which targets a step reads is targetsRead's
// answer alone.
struct ComposeStep {
    TimeWindow window;
    ComposeAction action;
    int32_t from;
    int32_t to;
    float transitionStart;  // seconds
    float transitionRate;   // per second
};

constexpr float kDemoEnd = 190.0f;  // seconds

// The tables a timeline plays. The demo has one; a test may play its own.
struct Timeline {
    std::span<const SceneEntry> scenes;
    std::span<const SceneRow> sceneRows;
    std::span<const ComposeStep> composeSteps;
    // Shown when no step is open at exactly gap.window.after: in the demo at t = 15, between
    // the dissolve and the Deform display, the dissolve's end picture, the Deform scene in
    // full.
    ComposeStep gap;
};

const Timeline& demoTimeline();

// The x of a transition step at demo time t.
float transitionAmount(const ComposeStep& step, float t);

// The render targets a compose step draws from, in the order its action takes them. The
// compose pass draws with exactly these, and a seek restores exactly these.
struct StepTargets {
    std::array<int32_t, 2> entries;
    int32_t count;
    bool holds(int32_t target) const;
};
StepTargets targetsRead(const ComposeStep& step);

// Told when each scene row and compose step of a frame starts and ends; the capture tool
// times them with it.
class TimelineObserver {
public:
    virtual ~TimelineObserver() = default;
    virtual void stepStarts() = 0;
    virtual void sceneRowEnds(const SceneRow& row) = 0;
    virtual void composeStepEnds(const ComposeStep& step) = 0;
};

// Readies the timeline for a run from 0 with the random generator seeded by `seed`: every
// scene of its table restarts and the dissolve draws its tile order, the generator's only use.
// The same seed gives the same run.
void startTimeline(const Timeline& timeline, uint32_t seed);
// The tile order the dissolve uses; the identity until startTimeline.
const DissolveOrder& timelineDissolveOrder();

// The step that draws the picture at t: the last open one, else the gap's at its instant;
// null when none is open (from kDemoEnd on).
const ComposeStep* presentedStep(const Timeline& timeline, float t);

// Every scene row and compose step starts from the base render state (render/render_state.h),
// so no picture depends on what an earlier step or frame left set.
// A row whose scene is not in the table renders nothing.
void scenePass(const Timeline& timeline, float t, float dt, TimelineObserver* observer = nullptr);
void composePass(const Timeline& timeline, float t, TimelineObserver* observer = nullptr);

// Both passes; false from kDemoEnd on, which ends the demo before that frame is presented.
bool runTimeline(const Timeline& timeline, float t, float dt, TimelineObserver* observer = nullptr);

// Moves what the frame at t carries over to the next, drawing nothing: the state of every
// open scene (Effect::advance).
void advanceTimeline(const Timeline& timeline, float t, float dt);

// Plays the frames at `times` (seconds, in order), the frames before a capture's first, without
// drawing them, so that the frame at firstTime shows what a run through all of them shows: the
// scenes' state advances through every one, and each render target that the compose pass at
// firstTime shows while its own scene is closed gets the last picture its scene rendered among
// them, which is the only one rendered. Needs a current context when a target is restored.
void seekTimeline(const Timeline& timeline, std::span<const float> times, float dt,
                  float firstTime);
