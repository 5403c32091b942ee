#!/usr/bin/env bash
# The folders are layers, and every include points down or sideways, never up. From the bottom:
#   base       what every layer may use: the GL header, math and picture types, the random
#              generator, the profiling hook, the option table, the version
#   gl11       beside base, and below its GL header: OpenGL 1.1 for platforms whose GL is
#              OpenGL ES 3.0
#   resources  files and formats, the data manifest, images and textures, tracks, meshes
#   render     drawing techniques, the drawing surface and the projections
#   scenes     the four scenes and what they share with the spine
#   app/sys    the platform layers (SDL2, EGL, the browser): window, GL contexts, sound, music
#              player, page
#   app        the spine: scene table, timeline, the demo frame, player, music
#   tools      the generator and the capture tool; bench and tests may include anything
# The build enforces the order too (each layer compiles seeing only the layers below it); this
# test says which line is wrong. Platform headers (SDL, EGL, Emscripten, the GL loader and GL
# itself) may appear only in the platform backends (app/sys/*_sdl.*, app/sys/*_egl.*,
# app/sys/*_web.*, and the browser's main, app/main_web.cpp), in base/gl_*.h
# behind base/gl.h, the one door to OpenGL, and in gl11/, which draws with OpenGL ES.
# Prints every include that points up or reaches the platform, with its file and line, and
# fails on any.
set -uo pipefail

root=$1
cd "$root" || exit 1
rank() {
  case $1 in
    base/* | gl11/*) echo 0 ;;
    resources/*) echo 1 ;;
    render/*) echo 2 ;;
    scenes/*) echo 3 ;;
    app/sys/*) echo 4 ;;
    app/*) echo 5 ;;
    tools/*) echo 6 ;;
    *) echo 9 ;;
  esac
}
platform_file() {
  case $1 in
    base/gl_*.h | gl11/* | app/sys/*_sdl.* | app/sys/*_egl.* | app/sys/*_web.* | app/main_web.cpp)
      return 0 ;;
    *) return 1 ;;
  esac
}
checked=0
upward=0
platform=0
while IFS= read -r file; do
  from=$(rank "$file")
  checked=$((checked + 1))
  while IFS=: read -r line target; do
    to=$(rank "$target")
    if [ "$to" -lt 9 ] && [ "$to" -gt "$from" ]; then
      echo "upward include: $file:$line includes $target" >&2
      upward=$((upward + 1))
    fi
  done < <(grep -n '^#include "' "$file" | sed -E 's/^([0-9]+):#include "([^"]+)".*/\1:\2/')
  if ! platform_file "$file"; then
    while IFS= read -r hit; do
      echo "platform header outside the backends: $file:$hit" >&2
      platform=$((platform + 1))
    done < <(grep -nE '^#include <(SDL[^>]*|SDL2/[^>]*|EGL/[^>]*|epoxy/[^>]*|GL/[^>]*|GLES[^>]*|emscripten[^>]*)>' "$file")
  fi
done < <(find base gl11 resources render scenes app tools -type f \( -name '*.cpp' -o -name '*.h' \))
[ "$checked" -gt 100 ] || { echo "FAIL: only $checked sources found" >&2; exit 1; }
if [ "$upward" -ne 0 ] || [ "$platform" -ne 0 ]; then
  echo "FAIL: $upward includes point up the layers, $platform platform headers outside the backends" >&2
  exit 1
fi
echo "$checked sources, every include points down the layers, platform headers only in the backends"
