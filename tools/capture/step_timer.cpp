#include "tools/capture/step_timer.h"

#include "base/gl.h"
#include "resources/texture_table.h"

namespace {

const char* targetName(int32_t target) {
    switch (target) {
        case kWelcomeTarget:
            return "welcome";
        case kDeformTarget:
            return "deform";
        case kTunnelTarget:
            return "tunnel";
        case kSoftfaceTarget:
            return "softface";
        default:
            return "?";
    }
}

}  // namespace

std::string stepName(const SceneRow& row) {
    return std::string(targetName(row.target)) + " scene";
}

std::string stepName(const ComposeStep& step) {
    switch (step.action) {
        case ComposeAction::Show:
            return std::string("show ") + targetName(step.from);
        case ComposeAction::TileDissolve:
            return std::string("tile dissolve to ") + targetName(step.to);
        case ComposeAction::CrossFade:
            return std::string("cross fade to ") + targetName(step.to);
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
    report.addStep(stepName(row), stepMilliseconds());
}

void StepTimer::composeStepEnds(const ComposeStep& step) {
    report.addStep(stepName(step), stepMilliseconds());
}

double StepTimer::stepMilliseconds() {
    if (finish) {
        glFinish();
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}
