#pragma once
// Times every scene row and compose step of the frames it observes into a capture report. In
// profile mode it finishes the GL work before and after each step, so that a step's time is
// the work it caused and nothing queued before it; otherwise it only reads the clock, and a
// step's time is what it took to issue its commands and wait for what it reads back.

#include <chrono>
#include <string>

#include "app/timeline.h"
#include "tools/capture/capture_report.h"

// "welcome scene", "show deform", "tile dissolve to deform", "cross fade to tunnel", ...: the
// names of the scene table's rows.
std::string stepName(const Timeline& timeline, const SceneRow& row);
std::string stepName(const Timeline& timeline, const ComposeStep& step);

class StepTimer : public TimelineObserver {
public:
    StepTimer(const Timeline& timeline, CaptureReport& report, bool finishGlWork)
        : timeline(timeline), report(report), finish(finishGlWork) {}

    void stepStarts() override;
    void sceneRowEnds(const SceneRow& row) override;
    void composeStepEnds(const ComposeStep& step) override;

private:
    double stepMilliseconds();

    const Timeline& timeline;
    CaptureReport& report;
    const bool finish;
    std::chrono::steady_clock::time_point start;
};
