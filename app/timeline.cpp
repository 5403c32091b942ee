#include "app/timeline.h"

#include <vector>

#include "base/picture.h"
#include "scenes/effect.h"
#include "render/projection.h"
#include "render/compositing.h"
#include "render/render_state.h"
#include "base/gl.h"
#include "base/random.h"
#include "resources/texture_table.h"

namespace {

const SceneRow kSceneRows[] = {
    {{0.0f, 15.0f}, kWelcomeScene},
    {{10.0f, 90.0f}, kDeformScene},
    {{85.0f, 125.0f}, kTunnelScene},
    {{119.9f, 180.0f}, kSoftfaceScene},
};

const ComposeStep kComposeSteps[] = {
    {{0.0f, 10.0f}, ComposeAction::Show, kWelcomeTarget, 0, 0.0f, 0.0f},
    {{9.9f, 15.0f}, ComposeAction::TileDissolve, kWelcomeTarget, kDeformTarget, 10.0f, 0.2f},
    {{15.0f, 85.0f}, ComposeAction::Show, kDeformTarget, 0, 0.0f, 0.0f},
    {{84.9f, 88.0f}, ComposeAction::CrossFade, kDeformTarget, kTunnelTarget, 85.0f, 0.33f},
    {{87.9f, 125.0f}, ComposeAction::Show, kTunnelTarget, 0, 0.0f, 0.0f},
    {{119.9f, 123.0f}, ComposeAction::CrossFade, kTunnelTarget, kSoftfaceTarget, 120.0f, 0.33f},
    {{122.9f, kDemoEnd}, ComposeAction::Show, kSoftfaceTarget, 0, 0.0f, 0.0f},
};

// Fixed for a run by startTimeline.
DissolveOrder dissolveOrder = identityDissolveOrder();

void clearFrame() {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

const SceneEntry* entryOf(const Timeline& timeline, const SceneRow& row) {
    if (row.scene < 0 || static_cast<size_t>(row.scene) >= timeline.scenes.size()) {
        return nullptr;
    }
    return &timeline.scenes[static_cast<size_t>(row.scene)];
}

void runSceneRow(const Timeline& timeline, const SceneRow& row, float t, float dt) {
    // The scene's own projection set-up applies the viewport; the clear covers the whole
    // frame.
    const int32_t side = pictureLayout().targetSide;
    viewport = {0, 0, side, side};
    setBaseRenderState();
    clearFrame();
    if (const SceneEntry* entry = entryOf(timeline, row)) {
        entry->scene->render(t - entry->localStart, dt);
        textureEntry(entry->target).copyFromFramebuffer();
    }
}

void advanceSceneRow(const Timeline& timeline, const SceneRow& row, float t, float dt) {
    if (const SceneEntry* entry = entryOf(timeline, row)) {
        entry->scene->advance(t - entry->localStart, dt);
    }
}

// Whether the picture at t is drawn from the target.
bool composeShows(const Timeline& timeline, int32_t target, float t) {
    const ComposeStep* step = presentedStep(timeline, t);
    return step != nullptr && targetsRead(*step).holds(target);
}

// Whether any frame from `time` on may draw from the target: a step reading it is still open
// then, or the gap comes then.
bool mayShowFrom(const Timeline& timeline, int32_t target, float time) {
    for (const ComposeStep& step : timeline.composeSteps) {
        if (step.window.before > time && targetsRead(step).holds(target)) {
            return true;
        }
    }
    return timeline.gap.window.after >= time && targetsRead(timeline.gap).holds(target);
}

// Whether the row's picture at t can ever be seen: now, or held in its target after the row
// closes. A picture that cannot is not drawn; its scene still advances, so later frames are
// the same.
bool rowPictureMatters(const Timeline& timeline, const SceneRow& row, float t) {
    const SceneEntry* entry = entryOf(timeline, row);
    return entry == nullptr || composeShows(timeline, entry->target, t) ||
           mayShowFrom(timeline, entry->target, row.window.before);
}

// The index in `times` of the frame whose picture the row's target must hold at firstTime,
// or -1 when the row renders at firstTime itself, the target is not shown then, or the row
// never rendered before.
int64_t frameToRestore(const Timeline& timeline, const SceneRow& row, std::span<const float> times,
                       float firstTime) {
    const SceneEntry* entry = entryOf(timeline, row);
    if (entry == nullptr || row.window.contains(firstTime) ||
        !composeShows(timeline, entry->target, firstTime)) {
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

const Timeline& demoTimeline() {
    // Built on first use, so that a table read during another unit's static start-up is whole.
    static const Timeline timeline = {
        demoScenes(),
        kSceneRows,
        kComposeSteps,
        {{15.0f, 15.0f}, ComposeAction::Show, kDeformTarget, 0, 0.0f, 0.0f},
    };
    return timeline;
}

void startTimeline(const Timeline& timeline, uint32_t seed) {
    seedRandom(seed);
    dissolveOrder = drawDissolveOrder();
    for (const SceneEntry& entry : timeline.scenes) {
        entry.scene->restart();
    }
}

const DissolveOrder& timelineDissolveOrder() {
    return dissolveOrder;
}

void scenePass(const Timeline& timeline, float t, float dt, TimelineObserver* observer) {
    for (const SceneRow& row : timeline.sceneRows) {
        if (!row.window.contains(t)) {
            continue;
        }
        if (!rowPictureMatters(timeline, row, t)) {
            advanceSceneRow(timeline, row, t, dt);
            continue;
        }
        if (observer) {
            observer->stepStarts();
        }
        runSceneRow(timeline, row, t, dt);
        if (observer) {
            observer->sceneRowEnds(row);
        }
    }
}

const ComposeStep* presentedStep(const Timeline& timeline, float t) {
    const ComposeStep* last = nullptr;
    for (const ComposeStep& step : timeline.composeSteps) {
        if (step.window.contains(t)) {
            last = &step;
        }
    }
    if (last == nullptr && t == timeline.gap.window.after) {
        return &timeline.gap;
    }
    return last;
}

void composePass(const Timeline& timeline, float t, TimelineObserver* observer) {
    const ComposeStep* step = presentedStep(timeline, t);
    if (step == nullptr) {
        return;
    }
    if (observer) {
        observer->stepStarts();
    }
    runComposeStep(*step, t);
    if (observer) {
        observer->composeStepEnds(*step);
    }
}

bool runTimeline(const Timeline& timeline, float t, float dt, TimelineObserver* observer) {
    scenePass(timeline, t, dt, observer);
    composePass(timeline, t, observer);
    return t < kDemoEnd;
}

void advanceTimeline(const Timeline& timeline, float t, float dt) {
    for (const SceneRow& row : timeline.sceneRows) {
        if (row.window.contains(t)) {
            advanceSceneRow(timeline, row, t, dt);
        }
    }
}

void seekTimeline(const Timeline& timeline, std::span<const float> times, float dt,
                  float firstTime) {
    std::vector<int64_t> restore;
    for (const SceneRow& row : timeline.sceneRows) {
        restore.push_back(frameToRestore(timeline, row, times, firstTime));
    }
    for (size_t i = 0; i < times.size(); ++i) {
        const float t = times[i];
        for (size_t r = 0; r < timeline.sceneRows.size(); ++r) {
            const SceneRow& row = timeline.sceneRows[r];
            if (!row.window.contains(t)) {
                continue;
            }
            if (restore[r] == static_cast<int64_t>(i)) {
                runSceneRow(timeline, row, t, dt);
            } else {
                advanceSceneRow(timeline, row, t, dt);
            }
        }
    }
}
