#!/usr/bin/env bash
# The folders are layers, and every include points down or sideways, never up. From the bottom:
#   base       what every layer may use: the GL header, math and picture types, the random
#              generator, the profiling hook, the version
#   resources  files and formats, the data manifest, images and textures, tracks, meshes
#   render     drawing techniques, the drawing surface and the projections
#   scenes     the four scenes and what they share with the spine
#   app/sys    the platform layers (SDL2, EGL): window, GL contexts, sound
#   app        the spine: main loop, timeline, scene registry, music
#   tools      the generator and the capture tool; bench and tests may include anything
# Prints every include that points up, with its file and line, and fails on any.
set -uo pipefail

root=$1
cd "$root" || exit 1
rank() {
  case $1 in
    base/*) echo 0 ;;
    resources/*) echo 1 ;;
    render/*) echo 2 ;;
    scenes/*) echo 3 ;;
    app/sys/*) echo 4 ;;
    app/*) echo 5 ;;
    tools/*) echo 6 ;;
    *) echo 9 ;;
  esac
}
checked=0
upward=0
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
done < <(find base resources render scenes app tools -type f \( -name '*.cpp' -o -name '*.h' \))
[ "$checked" -gt 100 ] || { echo "FAIL: only $checked sources found" >&2; exit 1; }
if [ "$upward" -ne 0 ]; then
  echo "FAIL: $upward includes point up the layers" >&2
  exit 1
fi
echo "$checked sources, every include points down the layers"
