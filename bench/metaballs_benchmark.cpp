// One rebuild of the finale's metaballs (24^3 cells, four balls and a box) at a fixed moment:
// the shared-corner polygonise the demo runs every frame against the per-cell rebuild that
// evaluates all eight corners of every cell.

#include <benchmark/benchmark.h>

#include "render/metaballs.h"
#include "scenes/softface_blobs.h"
#include "tests/support/metaballs_reference.h"

namespace {

constexpr float kMoment = 20.0f;  // seconds into the finale's ball paths

template <void (*Rebuild)(Metaballs&)>
void rebuildSoftface(benchmark::State& state) {
    Metaballs metaballs;
    configureSoftfaceMetaballs(metaballs);
    placeSoftfaceBalls(metaballs, kMoment);
    for (auto _ : state) {
        Rebuild(metaballs);
        benchmark::DoNotOptimize(metaballs.cells[metaballs.cells.size() / 2].cubeIndex);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * metaballs.cells.size());
}

void sharedCorners(benchmark::State& state) {
    rebuildSoftface<polygonise>(state);
}
void perCellCorners(benchmark::State& state) {
    rebuildSoftface<polygonisePerCell>(state);
}

BENCHMARK(sharedCorners)->Unit(benchmark::kMicrosecond);
BENCHMARK(perCellCorners)->Unit(benchmark::kMicrosecond);

}  // namespace
