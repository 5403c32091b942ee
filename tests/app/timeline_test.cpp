#include "app/timeline.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/scene_table.h"
#include "resources/texture_table.h"

namespace {

struct OpenScene {
    int32_t scene;  // registry index
    float localTime;
};

std::vector<OpenScene> openScenes(float t) {
    std::vector<OpenScene> open;
    for (const SceneRow& row : demoTimeline().sceneRows) {
        if (row.window.contains(t)) {
            open.push_back(
                {row.scene, t - demoScenes()[static_cast<size_t>(row.scene)].localStart});
        }
    }
    return open;
}

const ComposeStep* presentedStep(float t) {
    return presentedStep(demoTimeline(), t);
}

struct SceneCase {
    float t;
    std::vector<OpenScene> expected;
};

TEST(ScenePass, OpensTheRowsOfEachBoundWithTheirLocalTimes) {
    const std::vector<SceneCase> cases = {
        {0.0f, {}},
        {9.9f, {{kWelcomeScene, 9.9f}}},
        {10.0f, {{kWelcomeScene, 10.0f}}},
        {10.5f, {{kWelcomeScene, 10.5f}, {kDeformScene, 0.5f}}},
        {15.0f, {{kDeformScene, 5.0f}}},
        {84.9f, {{kDeformScene, 74.9f}}},
        {85.0f, {{kDeformScene, 75.0f}}},
        {87.9f, {{kDeformScene, 77.9f}, {kTunnelScene, 2.9f}}},
        {88.0f, {{kDeformScene, 78.0f}, {kTunnelScene, 3.0f}}},
        {90.0f, {{kTunnelScene, 5.0f}}},
        {119.9f, {{kTunnelScene, 34.9f}}},
        {119.95f, {{kTunnelScene, 34.95f}, {kSoftfaceScene, -0.05f}}},
        {120.0f, {{kTunnelScene, 35.0f}, {kSoftfaceScene, 0.0f}}},
        {122.9f, {{kTunnelScene, 37.9f}, {kSoftfaceScene, 2.9f}}},
        {123.0f, {{kTunnelScene, 38.0f}, {kSoftfaceScene, 3.0f}}},
        {125.0f, {{kSoftfaceScene, 5.0f}}},
        {180.0f, {}},
        {190.0f, {}},
    };
    for (const SceneCase& c : cases) {
        SCOPED_TRACE(c.t);
        const std::vector<OpenScene> open = openScenes(c.t);
        ASSERT_EQ(open.size(), c.expected.size());
        for (size_t i = 0; i < open.size(); ++i) {
            EXPECT_EQ(open[i].scene, c.expected[i].scene);
            EXPECT_NEAR(open[i].localTime, c.expected[i].localTime, 1e-5f);
        }
    }
}

TEST(ScenePass, EachSceneRendersIntoItsOwnTarget) {
    const std::span<const SceneEntry> scenes = demoScenes();
    ASSERT_EQ(scenes.size(), 4u);
    EXPECT_EQ(scenes[kWelcomeScene].target, kWelcomeTarget);
    EXPECT_EQ(scenes[kDeformScene].target, kDeformTarget);
    EXPECT_EQ(scenes[kTunnelScene].target, kTunnelTarget);
    EXPECT_EQ(scenes[kSoftfaceScene].target, kSoftfaceTarget);
    for (size_t i = 0; i < scenes.size(); ++i) {
        for (size_t j = i + 1; j < scenes.size(); ++j) {
            EXPECT_NE(scenes[i].target, scenes[j].target) << scenes[i].name << scenes[j].name;
        }
        EXPECT_GT(scenes[i].target, kBlurTarget) << scenes[i].name;
    }
    EXPECT_EQ(lastSceneTarget(scenes), kSoftfaceTarget);
}

struct ComposeCase {
    float t;
    ComposeAction action;
    int32_t from;
    int32_t to;
    float x;  // transition amount, when the action is one
};

TEST(ComposePass, PresentsTheLastOpenStepAtEachBound) {
    const std::vector<ComposeCase> cases = {
        {5.0f, ComposeAction::Show, kWelcomeTarget, 0, 0.0f},
        {9.9f, ComposeAction::Show, kWelcomeTarget, 0, 0.0f},
        {9.95f, ComposeAction::TileDissolve, kWelcomeTarget, kDeformTarget, -0.01f},
        {10.0f, ComposeAction::TileDissolve, kWelcomeTarget, kDeformTarget, 0.0f},
        {14.99f, ComposeAction::TileDissolve, kWelcomeTarget, kDeformTarget, 0.998f},
        {15.01f, ComposeAction::Show, kDeformTarget, 0, 0.0f},
        {84.9f, ComposeAction::Show, kDeformTarget, 0, 0.0f},
        {85.0f, ComposeAction::CrossFade, kDeformTarget, kTunnelTarget, 0.0f},
        {87.9f, ComposeAction::CrossFade, kDeformTarget, kTunnelTarget, 0.957f},
        {88.0f, ComposeAction::Show, kTunnelTarget, 0, 0.0f},
        {119.9f, ComposeAction::Show, kTunnelTarget, 0, 0.0f},
        {120.0f, ComposeAction::CrossFade, kTunnelTarget, kSoftfaceTarget, 0.0f},
        {122.9f, ComposeAction::CrossFade, kTunnelTarget, kSoftfaceTarget, 0.957f},
        {123.0f, ComposeAction::Show, kSoftfaceTarget, 0, 0.0f},
        {180.0f, ComposeAction::Show, kSoftfaceTarget, 0, 0.0f},
        {189.99f, ComposeAction::Show, kSoftfaceTarget, 0, 0.0f},
    };
    for (const ComposeCase& c : cases) {
        SCOPED_TRACE(c.t);
        const ComposeStep* step = presentedStep(c.t);
        ASSERT_NE(step, nullptr);
        EXPECT_EQ(step->action, c.action);
        EXPECT_EQ(step->from, c.from);
        if (c.action != ComposeAction::Show) {
            EXPECT_EQ(step->to, c.to);
            EXPECT_NEAR(transitionAmount(*step, c.t), c.x, 1e-4f);
        }
    }
}

TEST(ComposePass, OnlyTheInstantFifteenShowsTheGapAndTheEndShowsNothing) {
    EXPECT_EQ(presentedStep(15.0f), &demoTimeline().gap);
    EXPECT_EQ(demoTimeline().gap.from, kDeformTarget);
    EXPECT_EQ(presentedStep(190.0f), nullptr);
    for (float t = 0.01f; t < 189.99f; t += 0.01f) {
        if (t != 15.0f) {
            ASSERT_NE(presentedStep(t), nullptr) << t;
        }
    }
}

TEST(ComposePass, VisibleCrossFadesNeverReachTheirEnd) {
    // The rate is 0.33 per second, not 1/3: the full next picture replaces the fade first.
    EXPECT_LT(transitionAmount(demoTimeline().composeSteps[3], 87.9f), 1.0f);
    EXPECT_LT(transitionAmount(demoTimeline().composeSteps[5], 122.9f), 1.0f);
}

TEST(RunTimeline, EndsFromOneHundredNinetySeconds) {
    // Nothing opens at or after the end, so no GL call is made here.
    EXPECT_FALSE(runTimeline(demoTimeline(), 190.0f, 0.016f));
    EXPECT_FALSE(runTimeline(demoTimeline(), 250.0f, 0.016f));
}

}  // namespace
