// The whole start-up before the music: texture table and the four scenes' files, from the
// working folder's data tree, on the shared offscreen context.

#include <benchmark/benchmark.h>

#include "app/scene_table.h"
#include "bench/bench_context.h"

namespace {

void wholeSetupScenes(benchmark::State& state) {
    benchContext();
    for (auto _ : state) {
        setupScenes(demoScenes());
    }
}

BENCHMARK(wholeSetupScenes)->Unit(benchmark::kMillisecond);

}  // namespace
