#include "tools/capture/step_timer.h"

#include "base/gl.h"

namespace {

std::string targetName(const Timeline& timeline, int32_t target) {
    const SceneEntry* entry = sceneWithTarget(timeline.scenes, target);
    return entry != nullptr ? entry->name : "?";
}

}  // namespace

std::string stepName(const Timeline& timeline, const SceneRow& row) {
    if (row.scene < 0 || static_cast<size_t>(row.scene) >= timeline.scenes.size()) {
        return "? scene";
    }
    return std::string(timeline.scenes[static_cast<size_t>(row.scene)].name) + " scene";
}

std::string stepName(const Timeline& timeline, const ComposeStep& step) {
    switch (step.action) {
        case ComposeAction::Show:
            return "show " + targetName(timeline, step.from);
        case ComposeAction::TileDissolve:
            return "tile dissolve to " + targetName(timeline, step.to);
        case ComposeAction::CrossFade:
            return "cross fade to " + targetName(timeline, step.to);
    }
    return "?";
}

void StepTimer::stepStarts() {
    if (finish) {
        glFinish();
    }
    start = std::chrono::steady_clock::now();
}

void StepTimer::sceneRowEnds(const SceneRow& row) {
    report.addStep(stepName(timeline, row), stepMilliseconds());
}

void StepTimer::composeStepEnds(const ComposeStep& step) {
    report.addStep(stepName(timeline, step), stepMilliseconds());
}

double StepTimer::stepMilliseconds() {
    if (finish) {
        glFinish();
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}
