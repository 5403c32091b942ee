// Per-frame costs of the resource models: the two vertex deformers on a 10,000-vertex mesh and
// sampling tracks of 1,000 keys (a linear scan per call, so late times cost the most).

#include <benchmark/benchmark.h>

#include <cmath>

#include "resources/animation_track.h"
#include "resources/camera_path.h"
#include "resources/curve.h"
#include "resources/scene_object.h"

namespace {

constexpr uint32_t kVertices = 10000;
constexpr uint32_t kKeys = 1000;

Mesh gridMesh() {
    Mesh mesh;
    mesh.parts.resize(1);
    Array<MeshVertex>& vertices = mesh.parts[0].vertices;
    vertices.resize(kVertices);
    for (uint32_t i = 0; i < kVertices; ++i) {
        vertices[i] = {static_cast<float>(i % 100) * 0.1f,
                       static_cast<float>(i / 100) * 0.1f,
                       std::sin(static_cast<float>(i)),
                       {0.0f, 0.0f, 0.0f}};
    }
    return mesh;
}

void deform(benchmark::State& state, Deformer deformer) {
    const Mesh source = gridMesh();
    Mesh working = gridMesh();
    float t = 0.0f;
    for (auto _ : state) {
        deformer(source, working, t);
        benchmark::DoNotOptimize(working.parts[0].vertices[kVertices - 1].x);
        t += 1.0f / 60.0f;
    }
    state.SetItemsProcessed(state.iterations() * kVertices);
}

void twistDeformer(benchmark::State& state) {
    deform(state, deformTwist);
}
void slinkDeformer(benchmark::State& state) {
    deform(state, deformSlink);
}

TrackKey keyAt(uint32_t i) {
    const float f = static_cast<float>(i);
    return {f * 0.1f, {f, 0.0f, 0.0f}, {0.0f, f, 0.0f}, {0.0f, 1.0f, 0.0f}};
}

void sampleAnimationTrack(benchmark::State& state) {
    AnimationTrack track;
    track.keys.resize(kKeys);
    for (uint32_t i = 0; i < kKeys; ++i) {
        track.keys[i] = keyAt(i);
    }
    track.duration = track.keys[kKeys - 1].time;
    const float t = track.duration * static_cast<float>(state.range(0)) / 100.0f;
    for (auto _ : state) {
        track.sample(t);
        benchmark::DoNotOptimize(track.current.first.x);
    }
}

void sampleCameraPath(benchmark::State& state) {
    CameraPath path;
    path.keys.resize(kKeys);
    for (uint32_t i = 0; i < kKeys; ++i) {
        path.keys[i] = keyAt(i);
    }
    const float t = path.keys[kKeys - 1].time * static_cast<float>(state.range(0)) / 100.0f;
    for (auto _ : state) {
        path.sample(t);
        benchmark::DoNotOptimize(path.eye.x);
    }
}

void sampleCurve(benchmark::State& state) {
    Curve curve;
    curve.points.resize(kKeys);
    for (uint32_t i = 0; i < kKeys; ++i) {
        curve.points[i] = {static_cast<float>(i) * 0.1f, static_cast<float>(i)};
    }
    curve.duration = curve.points[kKeys - 1].time;
    const float t = curve.duration * static_cast<float>(state.range(0)) / 100.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(curve.valueAt(t));
    }
}

BENCHMARK(twistDeformer)->Unit(benchmark::kMicrosecond);
BENCHMARK(slinkDeformer)->Unit(benchmark::kMicrosecond);
// Percent of the track's length: early, middle and last segment.
BENCHMARK(sampleAnimationTrack)->Arg(1)->Arg(50)->Arg(99);
BENCHMARK(sampleCameraPath)->Arg(1)->Arg(50)->Arg(99);
BENCHMARK(sampleCurve)->Arg(1)->Arg(50)->Arg(99);

}  // namespace
