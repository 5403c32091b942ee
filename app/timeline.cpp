#include "app/timeline.h"

#include "app/effect.h"
#include "app/projection.h"
#include "app/scene_registry.h"
#include "render/compositing.h"
#include "render/gl.h"
#include "resources/texture_table.h"

const std::array<SceneRow, 4> kSceneRows = {{
    {{0.0f, 15.0f}, 0.0f, &welcomeScene, kWelcomeTarget},
    {{10.0f, 90.0f}, 10.0f, &deformScene, kDeformTarget},
    {{85.0f, 125.0f}, 85.0f, &tunnelScene, kTunnelTarget},
    {{119.9f, 180.0f}, 120.0f, &softfaceScene, kSoftfaceTarget},
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

void clearFrame() {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void runSceneRow(const SceneRow& row, float t, float dt) {
    // The scene's own projection set-up applies the viewport; the clear covers the whole
    // frame.
    viewport = {0, 0, kRenderTargetSize, kRenderTargetSize};
    clearFrame();
    row.scene->render(t - row.localTimeOffset, dt);
    textureEntry(row.target).copyFromFramebuffer();
}

void runComposeStep(const ComposeStep& step, float t) {
    viewport = {0, 0, 800, 600};
    clearFrame();
    const Texture& from = textureEntry(step.from);
    switch (step.action) {
        case ComposeAction::Show:
            drawFullScreenQuad(from);
            break;
        case ComposeAction::TileDissolve:
            tileDissolve(transitionAmount(step, t), from, textureEntry(step.to));
            break;
        case ComposeAction::CrossFade:
            crossFade(transitionAmount(step, t), from, textureEntry(step.to));
            break;
    }
}

}  // namespace

float transitionAmount(const ComposeStep& step, float t) {
    return (t - step.transitionStart) * step.transitionRate;
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
