// Frame cost of the demo's timeline on the offscreen 800x600 surface: one benchmark per time
// span, each frame being both passes and the finish that the demo's swap does.

#include <benchmark/benchmark.h>

#include <string>

#include "app/timeline.h"
#include "bench/bench_context.h"

namespace {

void timelineFrame(benchmark::State& state) {
    OffscreenContext& context = benchContext();
    const float t = static_cast<float>(state.range(0)) / 10.0f;
    for (auto _ : state) {
        runTimeline(demoTimeline(), t, 1.0f / 60.0f);
        context.swap();
    }
    state.SetLabel("t = " + std::to_string(t));
}

// Tenths of a second: one frame inside each span of the timeline.
BENCHMARK(timelineFrame)
    ->Arg(50)
    ->Arg(125)
    ->Arg(500)
    ->Arg(865)
    ->Arg(1000)
    ->Arg(1215)
    ->Arg(1500)
    ->Arg(1850)
    ->Unit(benchmark::kMillisecond);

}  // namespace
