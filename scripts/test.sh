#!/usr/bin/env bash
# Installs what is missing, builds Zentrox and runs every test: unit, rendering (offscreen
# Mesa), end to end (the demo under Xvfb, the tools), then a short run of each loader fuzzer.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZENTROX_BUILD_DIR:-$root/build}
fuzz_build=${ZENTROX_FUZZ_BUILD_DIR:-$root/build-fuzz}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
(cd "$build" && ctest --output-on-failure --timeout 600 --parallel "$(nproc)")

# The fuzzers need clang's sanitizers, so they live in a build of their own.
cmake -S "$root" -B "$fuzz_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DZENTROX_TESTS=OFF -DZENTROX_FUZZ=ON >/dev/null
cmake --build "$fuzz_build" --parallel "$(nproc)" --target png_fuzzer targa_fuzzer track_fuzzer mesh_fuzzer config_fuzzer
(cd "$fuzz_build" && ctest --output-on-failure --parallel "$(nproc)" -R '^fuzz\.')
