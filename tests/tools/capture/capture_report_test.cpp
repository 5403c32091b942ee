#include "tools/capture/capture_report.h"

#include <gtest/gtest.h>

#include "app/timeline.h"
#include "tools/capture/step_timer.h"

namespace {

TEST(Median, OddEvenAndEmpty) {
    EXPECT_EQ(median({}), 0.0);
    EXPECT_EQ(median({3.0, 1.0, 2.0}), 2.0);
    EXPECT_EQ(median({4.0, 1.0, 3.0, 2.0}), 2.5);
}

TEST(CaptureReport, GroupsFramesByTimelineSpan) {
    CaptureReport report;
    report.addFrame(5.0f, 2.0f);
    report.addFrame(9.99f, 4.0f);
    report.addFrame(10.0f, 30.0f);  // first frame of the dissolve
    report.addFrame(189.9f, 1.0f);
    EXPECT_EQ(report.frames(), 4);
    const std::string text = report.summary(2.0);
    EXPECT_NE(text.find("frames 4, wall 2.00 s, 2.0 frames/s"), std::string::npos) << text;
    EXPECT_NE(text.find("welcome"), std::string::npos);
    EXPECT_NE(text.find("median    3.00 ms  worst    4.00 ms"), std::string::npos) << text;
    EXPECT_NE(text.find("tile dissolve"), std::string::npos);
    EXPECT_EQ(text.find("deform"), std::string::npos) << "spans without frames are left out";
    EXPECT_NE(text.find("held picture"), std::string::npos);
}

TEST(CaptureReport, StepsKernelsAndOutputsByNameInTheOrderFirstSeen) {
    CaptureReport report;
    report.addFrame(12.0f, 9.0f);
    report.addStep("welcome scene", 1.0);
    report.addStep("deform scene", 6.0);
    report.addStep("welcome scene", 3.0);
    report.addKernel("deformers", 0.25);
    report.addOutput("read back", 0.5);
    report.addOutput("hand to outputs", 4.0);
    report.setStartUp(400.0, 150.5);
    report.setPeakResidentKilobytes(2048);
    const std::string text = report.summary(1.0);
    EXPECT_EQ(text.find("start-up 550.5 ms (textures and scenes 400.0 ms, music 150.5 ms)\n"), 0u)
        << text;
    const size_t steps = text.find("steps\n");
    const size_t welcome = text.find(
        "  welcome scene                      2 frames  median    2.000 ms"
        "  worst    3.000 ms\n");
    const size_t deform = text.find("  deform scene ");
    ASSERT_NE(steps, std::string::npos) << text;
    EXPECT_LT(steps, welcome) << text;
    EXPECT_LT(welcome, deform) << text;
    EXPECT_NE(text.find("kernels\n  deformers "), std::string::npos) << text;
    EXPECT_NE(text.find("outputs\n  read back                          1 frames  median    0.500 ms"
                        "  worst    0.500 ms\n  hand to outputs "),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("peak resident memory 2.0 MB\n"), std::string::npos) << text;
}

TEST(CaptureReport, LeavesOutWhatWasNotMeasured) {
    CaptureReport report;
    report.addFrame(1.0f, 2.0f);
    const std::string text = report.summary(1.0);
    EXPECT_EQ(text.find("start-up"), std::string::npos);
    EXPECT_EQ(text.find("steps"), std::string::npos);
    EXPECT_EQ(text.find("kernels"), std::string::npos);
    EXPECT_EQ(text.find("outputs"), std::string::npos);
    EXPECT_EQ(text.find("peak resident"), std::string::npos);
}

TEST(StepNames, NameTheSceneOrTheTransitionsTarget) {
    EXPECT_EQ(stepName(demoTimeline(), demoTimeline().sceneRows[0]), "welcome scene");
    EXPECT_EQ(stepName(demoTimeline(), demoTimeline().sceneRows[3]), "softface scene");
    EXPECT_EQ(stepName(demoTimeline(), demoTimeline().composeSteps[0]), "show welcome");
    EXPECT_EQ(stepName(demoTimeline(), demoTimeline().composeSteps[1]), "tile dissolve to deform");
    EXPECT_EQ(stepName(demoTimeline(), demoTimeline().composeSteps[3]), "cross fade to tunnel");
    EXPECT_EQ(stepName(demoTimeline(), demoTimeline().gap), "show deform");
}

TEST(CaptureReport, SpansCoverTheTimelineWithoutGaps) {
    EXPECT_EQ(kTimelineSpans.front().after, 0.0f);
    EXPECT_EQ(kTimelineSpans.back().before, 190.0f);
    for (size_t i = 1; i < kTimelineSpans.size(); ++i) {
        EXPECT_EQ(kTimelineSpans[i].after, kTimelineSpans[i - 1].before);
    }
}

TEST(Progress, ShowsShareAndTimeLeft) {
    EXPECT_EQ(progressLine(50, 100, 30.0),
              "[###############...............]  50%  frame 50/100  ETA 0:30");
    EXPECT_EQ(progressLine(0, 100, 0.0).find("ETA 0:00") != std::string::npos, true);
}

}  // namespace
