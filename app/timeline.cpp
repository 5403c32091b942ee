#include "app/timeline.h"

#include "base/picture.h"
#include "scenes/effect.h"
#include "render/projection.h"
#include "app/scene_registry.h"
#include "render/compositing.h"
#include "render/render_state.h"
#include "base/gl.h"
#include "base/random.h"
#include "resources/texture_table.h"

const std::array<SceneRow, 4> kSceneRows = {{
    {{0.0f, 15.0f}, 0.0f, kWelcomeScene, kWelcomeTarget},
    {{10.0f, 90.0f}, 10.0f, kDeformScene, kDeformTarget},
    {{85.0f, 125.0f}, 85.0f, kTunnelScene, kTunnelTarget},
    {{119.9f, 180.0f}, 120.0f, kSoftfaceScene, kSoftfaceTarget},
}};

const std::array<ComposeStep, 7> kComposeSteps = {{
    {{0.0f, 10.0f}, ComposeAction::Show, kWelcomeTarget, 0, 0.0f, 0.0f},
    {{9.9f, 15.0f}, ComposeAction::TileDissolve, kWelcomeTarget, kDeformTarget, 10.0f, 0.2f},
    {{15.0f, 85.0f}, ComposeAction::Show, kDeformTarget, 0, 0.0f, 0.0f},
    {{84.9f, 88.0f}, ComposeAction::CrossFade, kDeformTarget, kTunnelTarget, 85.0f, 0.33f},
    {{87.9f, 125.0f}, ComposeAction::Show, kTunnelTarget, 0, 0.0f, 0.0f},
    {{119.9f, 123.0f}, ComposeAction::CrossFade, kTunnelTarget, kSoftfaceTarget, 120.0f, 0.33f},
    {{122.9f, kDemoEnd}, ComposeAction::Show, kSoftfaceTarget, 0, 0.0f, 0.0f},
}};

const ComposeStep kComposeGap = {{15.0f, 15.0f}, ComposeAction::Show, kDeformTarget, 0, 0.0f, 0.0f};

namespace {

// Fixed for a run by startTimeline.
DissolveOrder dissolveOrder = identityDissolveOrder();

void clearFrame() {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

Effect* sceneOf(const SceneRow& row) {
    if (row.scene < 0 || static_cast<uint32_t>(row.scene) >= sceneRegistry.size()) {
        return nullptr;
    }
    return sceneRegistry[static_cast<uint32_t>(row.scene)];
}

void runSceneRow(const SceneRow& row, float t, float dt) {
    // The scene's own projection set-up applies the viewport; the clear covers the whole
    // frame.
    const int32_t side = pictureLayout().targetSide;
    viewport = {0, 0, side, side};
    setBaseRenderState();
    clearFrame();
    if (Effect* scene = sceneOf(row)) {
        scene->render(t - row.localTimeOffset, dt);
    }
    textureEntry(row.target).copyFromFramebuffer();
}

void advanceSceneRow(const SceneRow& row, float t, float dt) {
    if (Effect* scene = sceneOf(row)) {
        scene->advance(t - row.localTimeOffset, dt);
    }
}

// Whether a compose step open at t, or the gap's, draws the target.
bool composeShows(int32_t target, float t) {
    bool anyOpen = false;
    for (const ComposeStep& step : kComposeSteps) {
        if (step.window.contains(t)) {
            anyOpen = true;
            if (targetsRead(step).holds(target)) {
                return true;
            }
        }
    }
    return !anyOpen && t == kComposeGap.window.after && targetsRead(kComposeGap).holds(target);
}

// The index in `times` of the frame whose picture the row's target must hold at firstTime,
// or -1 when the row renders at firstTime itself, the target is not shown then, or the row
// never rendered before.
int64_t frameToRestore(const SceneRow& row, std::span<const float> times, float firstTime) {
    if (row.window.contains(firstTime) || !composeShows(row.target, firstTime)) {
        return -1;
    }
    for (int64_t i = static_cast<int64_t>(times.size()) - 1; i >= 0; --i) {
        if (row.window.contains(times[static_cast<size_t>(i)])) {
            return i;
        }
    }
    return -1;
}

void runComposeStep(const ComposeStep& step, float t) {
    const Rectangle& area = pictureLayout().area;
    viewport = {area.x, area.y, area.width, area.height};
    setBaseRenderState();
    clearFrame();
    const StepTargets reads = targetsRead(step);
    const Texture& first = textureEntry(reads.entries[0]);
    switch (step.action) {
        case ComposeAction::Show:
            drawFullScreenQuad(first);
            break;
        case ComposeAction::TileDissolve:
            tileDissolve(transitionAmount(step, t), first, textureEntry(reads.entries[1]),
                         dissolveOrder);
            break;
        case ComposeAction::CrossFade:
            crossFade(transitionAmount(step, t), first, textureEntry(reads.entries[1]));
            break;
    }
}

}  // namespace

float transitionAmount(const ComposeStep& step, float t) {
    return (t - step.transitionStart) * step.transitionRate;
}

bool StepTargets::holds(int32_t target) const {
    for (int32_t i = 0; i < count; ++i) {
        if (entries[static_cast<size_t>(i)] == target) {
            return true;
        }
    }
    return false;
}

StepTargets targetsRead(const ComposeStep& step) {
    switch (step.action) {
        case ComposeAction::Show:
            return {{step.from, step.from}, 1};
        case ComposeAction::TileDissolve:
        case ComposeAction::CrossFade:
            return {{step.from, step.to}, 2};
    }
    return {{step.from, step.from}, 0};
}

void startTimeline(uint32_t seed) {
    seedRandom(seed);
    dissolveOrder = drawDissolveOrder();
    for (Effect* scene : sceneRegistry) {
        scene->restart();
    }
}

const DissolveOrder& timelineDissolveOrder() {
    return dissolveOrder;
}

void scenePass(float t, float dt, TimelineObserver* observer) {
    for (const SceneRow& row : kSceneRows) {
        if (row.window.contains(t)) {
            if (observer) {
                observer->stepStarts();
            }
            runSceneRow(row, t, dt);
            if (observer) {
                observer->sceneRowEnds(row);
            }
        }
    }
}

void composePass(float t, float, TimelineObserver* observer) {
    bool anyOpen = false;
    const auto run = [&](const ComposeStep& step) {
        if (observer) {
            observer->stepStarts();
        }
        runComposeStep(step, t);
        if (observer) {
            observer->composeStepEnds(step);
        }
    };
    for (const ComposeStep& step : kComposeSteps) {
        if (step.window.contains(t)) {
            run(step);
            anyOpen = true;
        }
    }
    if (!anyOpen && t == kComposeGap.window.after) {
        run(kComposeGap);
    }
}

bool runTimeline(float t, float dt, TimelineObserver* observer) {
    scenePass(t, dt, observer);
    composePass(t, dt, observer);
    return t < kDemoEnd;
}

void advanceTimeline(float t, float dt) {
    for (const SceneRow& row : kSceneRows) {
        if (row.window.contains(t)) {
            advanceSceneRow(row, t, dt);
        }
    }
}

void seekTimeline(std::span<const float> times, float dt, float firstTime) {
    std::array<int64_t, kSceneRows.size()> restore;
    for (size_t r = 0; r < kSceneRows.size(); ++r) {
        restore[r] = frameToRestore(kSceneRows[r], times, firstTime);
    }
    for (size_t i = 0; i < times.size(); ++i) {
        const float t = times[i];
        for (size_t r = 0; r < kSceneRows.size(); ++r) {
            const SceneRow& row = kSceneRows[r];
            if (!row.window.contains(t)) {
                continue;
            }
            if (restore[r] == static_cast<int64_t>(i)) {
                runSceneRow(row, t, dt);
            } else {
                advanceSceneRow(row, t, dt);
            }
        }
    }
}
