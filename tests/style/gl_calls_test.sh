#!/usr/bin/env bash
# Every OpenGL and GLU call the portable code and the tools built on it make is one that the
# OpenGL 1.1 layer on OpenGL ES 3.0 implements (gl11/gl.h points each at the layer's entry
# point), so that a new call cannot break the ES and web builds unnoticed. A call the layer
# lacks could otherwise reach ES's function of the same name, with ES's meaning, or none.
# Prints each call the layer lacks with the files that make it, and fails on any.
set -uo pipefail

root=$1
cd "$root" || exit 1
implemented=$(sed -nE 's/^#define (glu?[A-Za-z0-9]+) gl11::.*/\1/p' gl11/gl.h | sort -u)
[ "$(echo "$implemented" | wc -l)" -gt 50 ] || { echo "FAIL: gl11/gl.h lists no calls" >&2; exit 1; }
called=$(grep -rhoE '\bglu?[A-Z][A-Za-z0-9]*[[:space:]]*\(' base resources render scenes app \
  tools/capture --include='*.cpp' --include='*.h' --exclude='gl_desktop.h' |
  sed -E 's/[[:space:]]*\($//' | sort -u)
[ "$(echo "$called" | wc -l)" -gt 50 ] || { echo "FAIL: found too few calls" >&2; exit 1; }
missing=$(comm -23 <(echo "$called") <(echo "$implemented"))
if [ -n "$missing" ]; then
  for name in $missing; do
    echo "not in the OpenGL 1.1 layer: $name, called in" \
      "$(grep -rlE "\b$name[[:space:]]*\(" base resources render scenes app tools/capture | tr '\n' ' ')" >&2
  done
  echo "FAIL: $(echo "$missing" | wc -l) calls the layer does not implement" >&2
  exit 1
fi
echo "$(echo "$called" | wc -l) OpenGL and GLU calls, every one implemented by the layer"
