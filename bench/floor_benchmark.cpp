// The floor each span's frame time is compared with: on the same surface, the full-target
// passes that span's frames draw (clears, textured quads over a render target or the screen,
// blended or not, framebuffer copies), with no geometry. A span's frame time divided by its
// floor is the figure to track: what its own drawing and CPU work add to the pixels it must
// touch anyway.

#include <benchmark/benchmark.h>

#include <array>

#include "render/projection.h"
#include "base/picture.h"
#include "bench/bench_context.h"
#include "render/compositing.h"
#include "render/render_state.h"
#include "base/gl.h"
#include "resources/texture_table.h"

namespace {

// The passes of one frame of a span, counted from the scene rows and compose steps open in
// it: every scene row clears the whole frame and copies its 512x512 area into its target, and
// every compose step clears the frame and draws at least one screen quad.
struct SpanFloor {
    const char* span;
    int32_t frameClears;       // colour and depth, 800x600
    int32_t depthClears;       // depth alone, 800x600
    int32_t targetQuads;       // opaque, 512x512
    int32_t targetBlends;      // blended, 512x512
    int32_t halfTargetBlends;  // blended over the left half of 512x512
    int32_t targetCopies;      // 512x512 framebuffer to texture
    int32_t screenQuads;       // opaque, 800x600
    int32_t screenBlends;      // blended, 800x600
};

// NOTE: the tile dissolve's 192 tiles cover the screen once and are counted as one blended
// screen quad; the softface's 16 radial-blur layers, its lines and its frame are 18 blends.
constexpr std::array<SpanFloor, 8> kSpanFloors = {{
    {"welcome", 3, 0, 1, 0, 0, 1, 1, 0},
    {"tile dissolve", 5, 0, 1, 1, 0, 2, 1, 1},
    {"deform", 3, 0, 0, 1, 0, 1, 1, 0},
    {"fade to tunnel", 4, 1, 0, 2, 2, 2, 0, 2},
    {"tunnel", 2, 1, 0, 1, 2, 1, 1, 0},
    {"fade to softface", 4, 1, 1, 19, 2, 3, 0, 2},
    {"softface", 3, 0, 1, 18, 0, 2, 1, 0},
    {"held picture", 1, 0, 0, 0, 0, 0, 1, 0},
}};

void repeat(int32_t times, auto&& pass) {
    for (int32_t i = 0; i < times; ++i) {
        pass();
    }
}

void clearFrame(GLbitfield buffers) {
    glClear(buffers);
}

void drawTargetPasses(const SpanFloor& floor, Texture& target, const Texture& picture) {
    viewport = {0, 0, kSceneTargetSide, kSceneTargetSide};
    repeat(floor.targetQuads, [&] { drawFullScreenQuad(picture); });
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    repeat(floor.targetBlends, [&] { drawFullScreenQuad(picture); });
    repeat(floor.halfTargetBlends, [&] { scrollOverlayLeft(0.0f, 1.0f, picture); });
    glDisable(GL_BLEND);
    repeat(floor.targetCopies, [&] { target.copyFromFramebuffer(); });
}

void drawScreenPasses(const SpanFloor& floor, const Texture& picture) {
    viewport = {0, 0, kPictureWidth, kPictureHeight};
    repeat(floor.screenQuads, [&] { drawFullScreenQuad(picture); });
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    repeat(floor.screenBlends, [&] { drawFullScreenQuad(picture); });
    glDisable(GL_BLEND);
}

void spanFloor(benchmark::State& state) {
    OffscreenContext& context = benchContext();
    const SpanFloor& floor = kSpanFloors[static_cast<size_t>(state.range(0))];
    Texture& target = textureEntry(kBlurTarget);
    const Texture& picture = textureEntry(kDeformTarget);
    glDisable(GL_DEPTH_TEST);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    for (auto _ : state) {
        repeat(floor.frameClears, [] { clearFrame(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); });
        repeat(floor.depthClears, [] { clearFrame(GL_DEPTH_BUFFER_BIT); });
        drawTargetPasses(floor, target, picture);
        drawScreenPasses(floor, picture);
        context.swap();
    }
    setBaseRenderState();
    state.SetLabel(floor.span);
}

BENCHMARK(spanFloor)->DenseRange(0, kSpanFloors.size() - 1)->Unit(benchmark::kMillisecond);

}  // namespace
