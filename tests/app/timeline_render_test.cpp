#include "app/timeline.h"

#include <array>
#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "scenes/effect.h"
#include "app/scene_table.h"
#include "base/picture.h"
#include "render/compositing.h"
#include "base/gl.h"
#include "resources/texture_table.h"
#include "support/gl_test.h"
#include "tools/capture/step_timer.h"

namespace {

using Pixel = std::array<uint8_t, 3>;

// A scene that fills the frame with one colour and remembers the local times it was given.
class SolidScene : public Effect {
public:
    explicit SolidScene(Pixel colour) : colour(colour) {}

    void advance(float localTime, float) override { localTimes.push_back(localTime); }
    void draw(float, float) const override {
        ++draws;
        glClearColor(colour[0] / 255.0f, colour[1] / 255.0f, colour[2] / 255.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    void load() override {}
    void idle() override {}

    Pixel colour;
    std::vector<float> localTimes;
    mutable int32_t draws = 0;
};

// The names of the steps a frame ran, in order.
class StepLog : public TimelineObserver {
public:
    explicit StepLog(const Timeline& timeline) : timeline(timeline) {}

    void stepStarts() override {}
    void sceneRowEnds(const SceneRow& row) override { names.push_back(stepName(timeline, row)); }
    void composeStepEnds(const ComposeStep& step) override {
        names.push_back(stepName(timeline, step));
    }

    const Timeline& timeline;
    std::vector<std::string> names;
};

// A scene that carries the number of frames it has played and shows it in its colour, as a
// scene with carried state shows what advance left.
class CountingScene : public Effect {
public:
    explicit CountingScene(int32_t blue) : blue(blue) {}

    void advance(float, float) override { ++frames; }
    void draw(float, float) const override {
        glClearColor(static_cast<float>(frames * 37 % 256) / 255.0f,
                     static_cast<float>(frames * 11 % 256) / 255.0f,
                     static_cast<float>(blue) / 255.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    void restart() override { frames = 0; }
    void load() override {}
    void idle() override {}

    int32_t blue;
    int32_t frames = 0;
};

constexpr Pixel kRed = {255, 0, 0};
constexpr Pixel kGreen = {0, 255, 0};
constexpr Pixel kBlue = {0, 0, 255};
constexpr Pixel kYellow = {255, 255, 0};
constexpr Pixel kMagenta = {255, 0, 255};
constexpr Pixel kBlack = {0, 0, 0};

// The real scene and compose passes over the demo's tables, with solid scenes in place of the
// demo's four in its scene table: the presented picture tells which target each step showed.
class TimelineRenderTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        const std::span<const SceneEntry> demo = demoScenes();
        for (size_t i = 0; i < demo.size(); ++i) {
            table.push_back({demo[i].name, scenes[i], demo[i].localStart, demo[i].target});
        }
        timeline = {table, demoTimeline().sceneRows, demoTimeline().composeSteps,
                    demoTimeline().gap};
        blankTargets();
    }
    void blankTargets() { createRenderTargets(lastSceneTarget(timeline.scenes)); }
    void standIn(std::span<Effect* const> stand) {
        for (size_t i = 0; i < stand.size(); ++i) {
            table[i].scene = stand[i];
        }
    }
    void TearDown() override { releaseTextureTable(); }

    // One frame of the demo; what the frame shows at the centre of the screen.
    Pixel frameAt(float t) {
        presented = runTimeline(timeline, t, 0.02f);
        return screenAt(400, 300);
    }
    // A pixel of the presented frame, y from the top.
    static Pixel screenAt(int32_t x, int32_t y) { return pixelAt(x, kPictureHeight - 1 - y); }

    SolidScene welcome{kRed};
    SolidScene deform{kGreen};
    SolidScene tunnel{kBlue};
    SolidScene softface{kYellow};
    std::array<Effect*, 4> scenes = {&welcome, &deform, &tunnel, &softface};
    std::vector<SceneEntry> table;
    Timeline timeline;
    bool presented = false;
};

void expectNear(const Pixel& actual, const Pixel& expected, int tolerance, float t) {
    for (size_t c = 0; c < 3; ++c) {
        EXPECT_NEAR(actual[c], expected[c], tolerance) << "channel " << c << " at t = " << t;
    }
}

TEST_F(TimelineRenderTest, EachSpanShowsItsSceneAndTheOverlapsTheOutgoingOne) {
    const struct {
        float t;
        Pixel shown;
    } cases[] =
        {
            {0.01f, kRed},      {5.0f, kRed},      {9.9f, kRed},
            {9.95f, kRed},    // the dissolve from below x = 0: every tile still opaque
            {15.0f, kGreen},  // no step is open: the dissolve's end picture, Deform in full
            {15.01f, kGreen},   {50.0f, kGreen},   {84.9f, kGreen},
            {84.95f, kGreen},  // the cross-fade from below x = 0
            {87.95f, kBlue},   // the full Tunnel replaces the fade before it reaches 1
            {100.0f, kBlue},    {119.9f, kBlue},   {119.95f, kBlue},
            {122.95f, kYellow}, {150.0f, kYellow}, {179.9f, kYellow},
        };
    for (const auto& c : cases) {
        expectNear(frameAt(c.t), c.shown, 0, c.t);
        EXPECT_TRUE(presented) << c.t;
    }
}

TEST_F(TimelineRenderTest, ScenesRenderOnlyInTheirWindowsWithTheirLocalTimes) {
    for (const float t : {9.9f, 10.0f, 10.5f, 15.0f, 85.0f, 87.9f, 90.0f, 119.9f, 119.95f, 125.0f,
                          179.9f, 180.0f, 185.0f}) {
        frameAt(t);
    }
    EXPECT_EQ(welcome.localTimes, (std::vector<float>{9.9f, 10.0f, 10.5f}));
    const std::vector<float> deformTimes = {10.5f - 10.0f, 15.0f - 10.0f, 85.0f - 10.0f,
                                            87.9f - 10.0f};
    EXPECT_EQ(deform.localTimes, deformTimes);
    const std::vector<float> tunnelTimes = {87.9f - 85.0f, 90.0f - 85.0f, 119.9f - 85.0f,
                                            119.95f - 85.0f};
    EXPECT_EQ(tunnel.localTimes, tunnelTimes);
    const std::vector<float> softfaceTimes = {119.95f - 120.0f, 125.0f - 120.0f, 179.9f - 120.0f};
    EXPECT_EQ(softface.localTimes, softfaceTimes);
}

TEST_F(TimelineRenderTest, TheDissolveRemovesTilesInItsOrderOntoTheNextScene) {
    startTimeline(timeline, 7);
    const DissolveOrder& order = timelineDissolveOrder();
    ASSERT_NE(order, identityDissolveOrder());
    frameAt(10.0f);  // x = 0: the first tile of the order at half opacity over a blank target
    const auto tileCentre = [](int32_t tile) {
        const int32_t column = tile % kDissolveColumns;
        const int32_t row = tile / kDissolveColumns;
        return screenAt(column * 50 + 25, row * 50 + 25);
    };
    expectNear(tileCentre(order[0]), {128, 0, 0}, 1, 10.0f);
    expectNear(tileCentre(order[1]), kRed, 0, 10.0f);

    frameAt(12.5f);  // x = 0.5: 96 tiles gone, the 97th half gone
    expectNear(tileCentre(order[0]), kGreen, 0, 12.5f);
    expectNear(tileCentre(order[95]), kGreen, 0, 12.5f);
    expectNear(tileCentre(order[96]), {128, 128, 0}, 1, 12.5f);
    expectNear(tileCentre(order[97]), kRed, 0, 12.5f);
    expectNear(tileCentre(order[191]), kRed, 0, 12.5f);
}

TEST_F(TimelineRenderTest, CrossFadesBlendTheTwoTargetsAtTheirRate) {
    // x = 0.33: from at 0.67, then to at 0.33 over it.
    expectNear(frameAt(86.0f), {0, 114, 84}, 2, 86.0f);
    expectNear(frameAt(121.0f), {84, 84, 114}, 2, 121.0f);
}

TEST_F(TimelineRenderTest, TheLastSoftfaceFrameIsHeldToTheEnd) {
    frameAt(150.0f);
    softface.colour = kMagenta;
    frameAt(179.99f);
    softface.colour = kBlack;  // never drawn again
    for (const float t : {180.0f, 185.0f, 189.99f}) {
        expectNear(frameAt(t), kMagenta, 0, t);
        EXPECT_TRUE(presented) << t;
    }
    EXPECT_EQ(softface.localTimes.back(), 179.99f - 120.0f);
    frameAt(190.0f);
    EXPECT_FALSE(presented);
}

TEST_F(TimelineRenderTest, OnlyTheStepThatDecidesThePictureIsDrawn) {
    StepLog log(timeline);
    runTimeline(timeline, 121.0f, 0.02f, &log);  // Tunnel's show is open under the cross-fade
    EXPECT_EQ(log.names, (std::vector<std::string>{"tunnel scene", "softface scene",
                                                   "cross fade to softface"}));
}

TEST_F(TimelineRenderTest, APictureNoFrameCanShowIsNotDrawnThoughItsSceneAdvances) {
    frameAt(87.95f);  // the cross-fade still reads Deform's picture
    const int32_t drawn = deform.draws;
    expectNear(frameAt(88.5f), kBlue, 0, 88.5f);
    frameAt(89.99f);
    EXPECT_EQ(deform.draws, drawn);
    EXPECT_EQ(deform.localTimes.back(), 89.99f - 10.0f);

    // A picture that a later step shows, after its row has closed, is drawn while hidden.
    const SceneRow rows[] = {{{0.0f, 10.0f}, kWelcomeScene}, {{0.0f, 20.0f}, kTunnelScene}};
    const ComposeStep steps[] = {
        {{0.0f, 10.0f}, ComposeAction::Show, kTunnelTarget, 0, 0.0f, 0.0f},
        {{10.0f, 20.0f}, ComposeAction::Show, kWelcomeTarget, 0, 0.0f, 0.0f},
    };
    timeline = {table, rows, steps, demoTimeline().gap};
    expectNear(frameAt(5.0f), kBlue, 0, 5.0f);
    expectNear(frameAt(15.0f), kRed, 0, 15.0f);
}

// A frame reached by a seek (every frame before it only advanced) shows what the frame shows in
// a run that played every frame before it: the scenes' carried state, and at the held picture
// a render target whose scene closed long before, in every span of the timeline.
TEST_F(TimelineRenderTest, ASeekShowsThePlayedFrameInEverySpan) {
    CountingScene scenes[] = {CountingScene(10), CountingScene(80), CountingScene(150),
                              CountingScene(220)};
    std::array<Effect*, 4> stand = {&scenes[0], &scenes[1], &scenes[2], &scenes[3]};
    standIn(stand);
    const float fps = 10.0f;
    const float dt = 1.0f / fps;
    std::vector<float> times;
    for (int32_t n = 0; n < 1900; ++n) {
        times.push_back(static_cast<float>(n) / fps);
    }
    const std::vector<size_t> checked = {50,   99,   100,  125,  500,  849,  860,  879,
                                         1000, 1199, 1210, 1229, 1500, 1799, 1850, 1899};
    std::vector<std::vector<uint8_t>> played;
    startTimeline(timeline, 1);
    for (size_t n = 0; n <= checked.back(); ++n) {
        runTimeline(timeline, times[n], dt);
        if (std::find(checked.begin(), checked.end(), n) != checked.end()) {
            played.push_back(context().readPixels());
        }
    }
    for (size_t i = 0; i < checked.size(); ++i) {
        const size_t n = checked[i];
        blankTargets();
        startTimeline(timeline, 1);
        seekTimeline(timeline, std::span<const float>(times).first(n), dt, times[n]);
        runTimeline(timeline, times[n], dt);
        EXPECT_TRUE(context().readPixels() == played[i]) << "demo time " << times[n];
    }
}

// A fifth scene added as the README says, by its rows alone: one scene row (name, instance,
// clock, target), one timeline row and one compose row. It reads no data file, so the data
// manifest and the generator have nothing to add. The texture table makes its target, the
// passes render and show it, and the step timer names it.
TEST_F(TimelineRenderTest, AFifthSceneAddedByItsRowsRendersInItsWindow) {
    SolidScene fifth{kMagenta};
    const int32_t fifthTarget = kSoftfaceTarget + 1;
    table.push_back({"fifth", &fifth, 188.0f, fifthTarget});
    std::vector<SceneRow> rows(demoTimeline().sceneRows.begin(), demoTimeline().sceneRows.end());
    rows.push_back({{187.5f, kDemoEnd}, static_cast<int32_t>(table.size() - 1)});
    std::vector<ComposeStep> steps(demoTimeline().composeSteps.begin(),
                                   demoTimeline().composeSteps.end());
    steps.push_back({{188.5f, kDemoEnd}, ComposeAction::Show, fifthTarget, 0, 0.0f, 0.0f});
    timeline = {table, rows, steps, demoTimeline().gap};

    setupScenes(timeline.scenes);
    EXPECT_EQ(textureCount(), fifthTarget);
    ASSERT_NE(textureEntry(fifthTarget).name(), 0u);
    startTimeline(timeline, 1);
    expectNear(frameAt(150.0f), kYellow, 0, 150.0f);
    expectNear(frameAt(188.0f), kYellow, 0, 188.0f);
    expectNear(frameAt(189.0f), kMagenta, 0, 189.0f);
    EXPECT_TRUE(presented);
    EXPECT_EQ(fifth.localTimes, (std::vector<float>{188.0f - 188.0f, 189.0f - 188.0f}));
    EXPECT_EQ(stepName(timeline, rows.back()), "fifth scene");
    EXPECT_EQ(stepName(timeline, steps.back()), "show fifth");
    releaseScenes(timeline.scenes);
}

}  // namespace
