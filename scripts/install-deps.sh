#!/usr/bin/env bash
# Installs the Debian packages that building, playing and testing Zentrox need.
# Idempotent: when every package is present it only checks and returns.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config clang-format
  # platform layer and rendering
  libsdl2-dev libgl1-mesa-dev libglu1-mesa-dev libegl-dev libegl-mesa0
  libgl1-mesa-dri libepoxy-dev libgles-dev
  # the web build: Debian's Emscripten, and headless Chromium for its tests
  emscripten chromium-headless-shell nodejs
  # image files; stb_image decodes PNG where libpng is missing, and is built everywhere;
  # libdeflate compresses the frames the capture writes
  libpng-dev zlib1g-dev libstb-dev libdeflate-dev
  # the data generator's text: font engine and fonts
  libfreetype-dev fonts-dejavu-core
  # music: decoding, spectrum, the generator's encoder, video capture
  libmpg123-dev libkissfft-dev libmp3lame-dev ffmpeg sox
  # the capture farm: GNU parallel runs the spans, rsync brings back remote results
  parallel rsync
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool x11-utils libx11-dev file time valgrind
  # fuzzing the file loaders
  clang libclang-rt-14-dev
  # the Debian packages: manual pages from --help, their checks, a clean Debian 12 to install in
  help2man dpkg-dev lintian desktop-file-utils appstream mmdebstrap
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi

echo "Installing: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
