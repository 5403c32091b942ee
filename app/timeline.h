#pragma once
// The demo timeline: from the demo time alone it decides which scenes render and how their
// pictures reach the screen. Two passes a frame, both walking a table:
// - the scene pass renders every open scene into the lower-left 512x512 area and copies that
//   area into the scene's render target;
// - the compose pass clears the 800x600 frame for every open step and draws it; the last open
//   step of a frame alone decides the picture.
// All windows are open intervals in single-precision seconds of demo time.

#include <array>
#include <cstdint>

class Effect;

struct TimeWindow {
    float after;   // seconds, exclusive
    float before;  // seconds, exclusive
    bool contains(float t) const { return after < t && t < before; }
};

struct SceneRow {
    TimeWindow window;
    float localTimeOffset;  // seconds subtracted from demo time
    Effect* scene;
    int32_t target;  // texture-table entry that receives the picture
};

enum class ComposeAction { Show, TileDissolve, CrossFade };

// Show draws `from` full screen. The transitions blend from -> to with
// x = (t - transitionStart) * transitionRate.
struct ComposeStep {
    TimeWindow window;
    ComposeAction action;
    int32_t from;
    int32_t to;
    float transitionStart;  // seconds
    float transitionRate;   // per second
};

constexpr float kDemoEnd = 190.0f;  // seconds

extern const std::array<SceneRow, 4> kSceneRows;
extern const std::array<ComposeStep, 7> kComposeSteps;

// Shown when no step is open, which happens only at exactly t = 15 between the dissolve and
// the Deform display: the dissolve's end picture, the Deform scene in full.
extern const ComposeStep kComposeGap;

// The x of a transition step at demo time t.
float transitionAmount(const ComposeStep& step, float t);

// Told when each scene row and compose step of a frame starts and ends; the capture tool
// times them with it.
class TimelineObserver {
public:
    virtual ~TimelineObserver() = default;
    virtual void stepStarts() = 0;
    virtual void sceneRowEnds(const SceneRow& row) = 0;
    virtual void composeStepEnds(const ComposeStep& step) = 0;
};

void scenePass(float t, float dt, TimelineObserver* observer = nullptr);
void composePass(float t, float dt, TimelineObserver* observer = nullptr);

// Both passes; false from kDemoEnd on, which ends the demo before that frame is presented.
bool runTimeline(float t, float dt, TimelineObserver* observer = nullptr);
