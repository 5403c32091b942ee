// CPU kernels of the scenes and of the start-up: the tunnel's vertices for one frame, and
// decoding every picture of the texture table from the working folder's data tree.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "resources/image_loader.h"
#include "resources/data_manifest.h"
#include "scenes/tunnel.h"

namespace {

void tunnelQuads(benchmark::State& state) {
    std::vector<TunnelVertex> quads;
    float p = 1000.0f;
    for (auto _ : state) {
        buildTunnelQuads(p, quads);
        benchmark::DoNotOptimize(quads.data());
        p += 0.1f;
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(quads.size()));
}

void decodeTexturePictures(benchmark::State& state) {
    int64_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        for (const DataFile& picture : kPictureFiles) {
            const std::unique_ptr<Image> image = loadImage(picture.name);
            if (!image) {
                state.SkipWithError("a picture of the texture table does not load");
                return;
            }
            bytes += image->byteCount();
        }
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}

BENCHMARK(tunnelQuads)->Unit(benchmark::kMicrosecond);
BENCHMARK(decodeTexturePictures)->Unit(benchmark::kMillisecond);

}  // namespace
