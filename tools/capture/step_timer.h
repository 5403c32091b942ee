#pragma once
// Times every scene row and compose step of the frames it observes into a capture report. In
// profile mode it finishes the GL work before and after each step, so that a step's time is
// the work it caused and nothing queued before it; otherwise it only reads the clock, and a
// step's time is what it took to issue its commands and wait for what it reads back.

#include <chrono>
#include <string>

#include "app/timeline.h"
#include "tools/capture/capture_report.h"

// "welcome scene", "show deform", "tile dissolve to deform", "cross fade to tunnel", ...
std::string stepName(const SceneRow& row);
std::string stepName(const ComposeStep& step);

class StepTimer : public TimelineObserver {
public:
    StepTimer(CaptureReport& report, bool finishGlWork) : report(report), finish(finishGlWork) {}

    void stepStarts() override;
    void sceneRowEnds(const SceneRow& row) override;
    void composeStepEnds(const ComposeStep& step) override;

private:
    double stepMilliseconds();

    CaptureReport& report;
    const bool finish;
    std::chrono::steady_clock::time_point start;
};
