// Every registered scene, from the generated data tree: a frame reached by playing every frame
// before it equals, byte for byte, the same frame reached by a seek (the frames before it only
// advanced), at fixed times in every span of the timeline the scene plays in, at 30 and 60
// frames a second and at a time off the frame grid; and a picture does not depend on what was
// drawn before it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/scene_table.h"
#include "app/sys/offscreen_context.h"
#include "app/timeline.h"
#include "base/gl.h"
#include "render/projection.h"
#include "render/render_state.h"
#include "tests/support/generated_tree.h"

namespace {

// The scene pictures are compared at this size: the same pictures as at 512, far cheaper to
// play through every frame of a scene.
constexpr int32_t kSide = 128;  // pixels

using Pixels = std::vector<uint8_t>;

// One test per scene row of the timeline, so that the scenes play side by side.
class SceneSeekTest : public ::testing::TestWithParam<size_t> {
public:
    static void SetUpTestSuite() { enterGeneratedTree(context); }
    static void TearDownTestSuite() { leaveGeneratedTree(context); }

    static void startFrame() {
        viewport = {0, 0, kSide, kSide};
        setBaseRenderState();
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    static Pixels finishFrame() {
        context.swap();
        Pixels pixels = context.readPixels();
        // Only the scene's square, bottom-left, matters.
        Pixels square;
        const int32_t width = kPictureWidth;
        for (int32_t row = kPictureHeight - kSide; row < kPictureHeight; ++row) {
            const auto begin = pixels.begin() + static_cast<ptrdiff_t>(row) * width * 3;
            square.insert(square.end(), begin, begin + kSide * 3);
        }
        return square;
    }
    static Pixels rendered(Effect& scene, float localTime, float dt) {
        startFrame();
        scene.render(localTime, dt);
        return finishFrame();
    }
    static Pixels drawn(const Effect& scene, float localTime, float dt) {
        startFrame();
        scene.draw(localTime, dt);
        return finishFrame();
    }

    static OffscreenContext context;
};

OffscreenContext SceneSeekTest::context;

// The pieces that the compose steps' windows cut a scene's window into: each is a span of the
// timeline with one picture made of the scene, from the full picture to the transitions.
std::vector<TimeWindow> spansOf(const SceneRow& row) {
    std::vector<float> edges = {row.window.after, row.window.before};
    for (const ComposeStep& step : demoTimeline().composeSteps) {
        for (const float edge : {step.window.after, step.window.before}) {
            if (row.window.contains(edge)) {
                edges.push_back(edge);
            }
        }
    }
    std::sort(edges.begin(), edges.end());
    std::vector<TimeWindow> spans;
    for (size_t i = 0; i + 1 < edges.size(); ++i) {
        if (edges[i] < edges[i + 1]) {
            spans.push_back({edges[i], edges[i + 1]});
        }
    }
    return spans;
}

// Demo frames n / fps of the grid to compare: the middle of every span and, in the long ones,
// one every 1.25 s, so that the holds and the acts inside a scene are met too.
std::vector<int64_t> checkedFrames(const SceneRow& row, float fps) {
    std::vector<int64_t> frames;
    for (const TimeWindow& span : spansOf(row)) {
        std::vector<float> times = {0.5f * (span.after + span.before)};
        for (float t = span.after + 0.3f; t < span.before - 0.05f; t += 1.25f) {
            times.push_back(t);
        }
        for (const float t : times) {
            const auto n = static_cast<int64_t>(std::ceil(t * fps));
            if (row.window.contains(static_cast<float>(n) / fps)) {
                frames.push_back(n);
            }
        }
    }
    std::sort(frames.begin(), frames.end());
    frames.erase(std::unique(frames.begin(), frames.end()), frames.end());
    return frames;
}

// The demo times of the grid frames the row plays, from its first on, up to frame `last`.
std::vector<float> gridTimes(const SceneRow& row, float fps, int64_t last) {
    std::vector<float> times;
    for (int64_t n = 0; n <= last; ++n) {
        const float t = static_cast<float>(n) / fps;
        if (row.window.contains(t)) {
            times.push_back(t);
        }
    }
    return times;
}

// The demo time at which the row's scene clock reads 0.
float localStartOf(const SceneRow& row) {
    return demoScenes()[static_cast<size_t>(row.scene)].localStart;
}

// The scene from its first frame, every earlier frame only advanced, then the frame at t.
Pixels seekTo(Effect& scene, const SceneRow& row, const std::vector<float>& before, float t,
              float dt) {
    scene.restart();
    for (const float earlier : before) {
        scene.advance(earlier - localStartOf(row), dt);
    }
    return SceneSeekTest::rendered(scene, t - localStartOf(row), dt);
}

// What a run shows that plays every frame of the row from its first: the checked frames, then
// a frame a third of a frame after the last of them, off the grid, as a capture that starts
// between two frames renders it after the grid frames before it.
struct PlayedRun {
    std::vector<Pixels> checked;
    float offGrid;  // demo seconds
    Pixels offGridFrame;
};

PlayedRun play(Effect& scene, const SceneRow& row, float fps, const std::vector<int64_t>& checked) {
    const float dt = 1.0f / fps;
    PlayedRun run;
    scene.restart();
    for (const float t : gridTimes(row, fps, checked.back())) {
        const auto n = static_cast<int64_t>(std::lround(t * fps));
        if (std::binary_search(checked.begin(), checked.end(), n)) {
            run.checked.push_back(SceneSeekTest::rendered(scene, t - localStartOf(row), dt));
        } else {
            SceneSeekTest::startFrame();
            scene.render(t - localStartOf(row), dt);
            SceneSeekTest::context.swap();
        }
    }
    run.offGrid = (static_cast<float>(checked.back()) + 0.37f) / fps;
    if (row.window.contains(run.offGrid)) {
        run.offGridFrame = SceneSeekTest::rendered(scene, run.offGrid - localStartOf(row), dt);
    }
    return run;
}

Effect& sceneOf(const SceneRow& row) {
    return *demoScenes()[static_cast<size_t>(row.scene)].scene;
}

std::string where(const SceneRow& row, float fps, float t) {
    return "scene " + std::to_string(row.scene) + " at " + std::to_string(fps) +
           " fps, demo time " + std::to_string(t);
}

TEST_P(SceneSeekTest, ASeekShowsThePlayedFrameInEverySpanAtAnyRateAndOffTheGrid) {
    const SceneRow& row = demoTimeline().sceneRows[GetParam()];
    ASSERT_LT(static_cast<size_t>(row.scene), demoScenes().size());
    Effect& scene = sceneOf(row);
    for (const float fps : {30.0f, 60.0f}) {
        const float dt = 1.0f / fps;
        const std::vector<int64_t> checked = checkedFrames(row, fps);
        ASSERT_FALSE(checked.empty());
        const PlayedRun run = play(scene, row, fps, checked);
        ASSERT_EQ(run.checked.size(), checked.size());
        for (size_t i = 0; i < checked.size(); ++i) {
            const float t = static_cast<float>(checked[i]) / fps;
            std::vector<float> before = gridTimes(row, fps, checked[i]);
            before.pop_back();
            EXPECT_EQ(seekTo(scene, row, before, t, dt), run.checked[i]) << where(row, fps, t);
        }
        if (!run.offGridFrame.empty()) {
            const std::vector<float> before = gridTimes(row, fps, checked.back());
            EXPECT_EQ(seekTo(scene, row, before, run.offGrid, dt), run.offGridFrame)
                << where(row, fps, run.offGrid);
        }
    }
}

// A picture is the scene's state at its time and nothing else: drawing other frames in between,
// of this scene and of the others, with the state left as it is, changes none of its bytes.
TEST_P(SceneSeekTest, APictureDoesNotDependOnThePicturesDrawnBeforeIt) {
    const float fps = 30.0f;
    const float dt = 1.0f / fps;
    const SceneRow& row = demoTimeline().sceneRows[GetParam()];
    ASSERT_LT(static_cast<size_t>(row.scene), demoScenes().size());
    Effect& scene = sceneOf(row);
    const std::vector<int64_t> checked = checkedFrames(row, fps);
    for (size_t i = 0; i < checked.size(); i += 3) {
        const float t = static_cast<float>(checked[i]) / fps;
        std::vector<float> before = gridTimes(row, fps, checked[i]);
        before.pop_back();
        const Pixels first = seekTo(scene, row, before, t, dt);
        for (const int64_t other : {checked.front(), checked[checked.size() / 2], checked.back()}) {
            drawn(scene, static_cast<float>(other) / fps - localStartOf(row), dt);
        }
        for (const SceneEntry& another : demoScenes()) {
            drawn(*another.scene, 7.5f, dt);
        }
        EXPECT_EQ(drawn(scene, t - localStartOf(row), dt), first) << where(row, fps, t);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryScene, SceneSeekTest,
                         ::testing::Range<size_t>(0, demoTimeline().sceneRows.size()),
                         [](const ::testing::TestParamInfo<size_t>& info) {
                             const SceneRow& row = demoTimeline().sceneRows[info.param];
                             return std::string(demoScenes()[static_cast<size_t>(row.scene)].name);
                         });

}  // namespace
