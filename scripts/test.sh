#!/usr/bin/env bash
# Installs what is missing, builds Zentrox and runs every test: unit, rendering (offscreen
# Mesa), end to end (the demo under Xvfb, the tools), the golden frames again from a build for
# newer CPUs (-march=x86-64-v3) where this one runs it, the programs built over the OpenGL 1.1
# layer on OpenGL ES 3.0 against the desktop build, the web build in headless Chromium, the
# same suite again under the address
# and undefined-behaviour sanitizers, a short run of each fuzzer, then the Debian package
# (installed system-wide with apt for the test, then purged).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZENTROX_BUILD_DIR:-$root/build}
fuzz_build=${ZENTROX_FUZZ_BUILD_DIR:-$root/build-fuzz}
sanitize_build=${ZENTROX_SANITIZE_BUILD_DIR:-$root/build-sanitize}
v3_build=${ZENTROX_V3_BUILD_DIR:-$root/build-v3}
es3_build=${ZENTROX_ES3_BUILD_DIR:-$root/build-es3}
web_build=${ZENTROX_WEB_BUILD_DIR:-$root/build-web}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
(cd "$build" && ctest --output-on-failure --timeout 600 --parallel "$(nproc)")

# The same numbers on every build: the capture tool built for newer CPUs (x86-64-v3, with AVX2
# and fused multiply-add) renders the golden frames to the same bytes as the plain build.
if /lib64/ld-linux-x86-64.so.2 --help 2>/dev/null | grep -q 'x86-64-v3 (supported'; then
  cmake -S "$root" -B "$v3_build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZENTROX_TESTS=OFF \
    -DCMAKE_C_FLAGS=-march=x86-64-v3 -DCMAKE_CXX_FLAGS=-march=x86-64-v3 >/dev/null
  cmake --build "$v3_build" --parallel "$(nproc)" --target zentrox-capture
  "$root/tests/e2e/golden_frames_test.sh" "$v3_build/zentrox-capture" "$build/data"
else
  echo "skipped: this CPU does not run x86-64-v3 code, so no -march=x86-64-v3 build is compared" >&2
fi

# The demo and the capture tool over the project's OpenGL 1.1 layer on OpenGL ES 3.0, as the
# web build draws: every golden frame near the desktop build's and exactly as recorded for ES,
# seeking and spans exact, and the demo's window on an ES context under Xvfb.
cmake -S "$root" -B "$es3_build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZENTROX_TESTS=OFF \
  -DZENTROX_GL=es3 >/dev/null
cmake --build "$es3_build" --parallel "$(nproc)" --target zentrox-capture zentrox
"$root/tests/e2e/es3_frames_test.sh" "$es3_build/zentrox-capture" "$build/zentrox-capture" \
  "$build/data" "$build/tests/frame_difference"
"$root/tests/e2e/seeking_test.sh" "$es3_build/zentrox-capture" "$build/data"
"$root/tests/e2e/demo_window_test.sh" "$es3_build/zentrox" "$build/tests/send_close_request" \
  "$build/tests/audio_output_check"

# The web build in headless Chromium: stills against the ES and desktop captures' frames, the
# player, damaged sites and a browser without WebGL 2.
ZENTROX_WEB_BUILD_DIR=$web_build "$root/scripts/web.sh" --build-only
node --experimental-websocket "$root/tests/web/chromium_test.mjs"
"$root/tests/web/web_test.sh" "$web_build/site" "$es3_build/zentrox-capture" \
  "$build/zentrox-capture" "$build/data" "$build/tests/frame_difference"

# The whole suite again under AddressSanitizer and UBSan; any report fails its test.
# NOTE: Mesa's driver is unloaded before the leak check runs, so its deliberate leaks come
# without a module name and cannot be suppressed; the programs that open OpenGL (label "gl")
# run without the leak check, address and undefined-behaviour errors still fail them.
cmake -S "$root" -B "$sanitize_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZENTROX_SANITIZE=ON >/dev/null
cmake --build "$sanitize_build" --parallel "$(nproc)"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd "$sanitize_build" && ASAN_OPTIONS=detect_leaks=1 \
  ctest --output-on-failure --timeout 900 --parallel "$(nproc)" -LE gl)
# NOTE: the per-scene seek tests play every frame of every scene at two frame rates to compare
# pictures byte for byte; the sanitizers change no byte of a picture and would make them take
# a quarter of an hour, so they run in the plain build only.
(cd "$sanitize_build" && ASAN_OPTIONS=detect_leaks=0 \
  ctest --output-on-failure --timeout 900 --parallel "$(nproc)" -L gl \
    -E '^EveryScene/SceneSeekTest\.ASeek')

# The fuzzers need clang's sanitizers, so they live in a build of their own.
cmake -S "$root" -B "$fuzz_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DZENTROX_TESTS=OFF -DZENTROX_FUZZ=ON >/dev/null
cmake --build "$fuzz_build" --parallel "$(nproc)" --target png_fuzzer targa_fuzzer track_fuzzer mesh_fuzzer config_fuzzer \
  options_fuzzer
(cd "$fuzz_build" && ctest --output-on-failure --parallel "$(nproc)" -R '^fuzz\.')

# The Debian package: built, checked, installed with apt, played from elsewhere, purged.
"$root/tests/package/package_test.sh"
