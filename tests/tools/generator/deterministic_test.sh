#!/usr/bin/env bash
# zentrox-data run twice into two fresh folders writes byte-identical trees holding every
# picture the demo loads, each a PNG of the expected kind, the curves, the laboratory's objects
# and camera, the finale's shapes, sky and camera, and the music as a 192 kbit/s 44.1 kHz stereo
# MP3. It writes exactly the files the demo reads: those of the data manifest and the ones their
# configurations name, as the capture tool's --check lists them, no more and no fewer.
# Every file's SHA-256 must equal the one committed in data_tree.sha256, so that the bytes
# are the same on every machine and any change of them is a deliberate commit
# (scripts/record-data-hashes records them anew).
set -uo pipefail

generator=$1
capture=$2
hashes=$(dirname "$0")/data_tree.sha256
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

"$generator" "$work/first" || fail "first run exited $?"
"$generator" "$work/second" || fail "second run exited $?"
diff -r "$work/first" "$work/second" >"$work/diff.log" 2>&1 ||
  fail "the two runs differ: $(cat "$work/diff.log")"

(cd "$work/first" && find . -type f -printf '%P\n' | LC_ALL=C sort | xargs -d '\n' sha256sum) \
  >"$work/hashes"
if ! diff "$hashes" "$work/hashes" >"$work/hashes.diff"; then
  fail "the tree differs from $hashes (< committed, > generated):
$(cat "$work/hashes.diff")"
fi

"$capture" --check --data "$work/first" >"$work/check.log" 2>&1 ||
  fail "the generated tree does not pass --check: $(grep -v '^loaded' "$work/check.log")"
awk '$1 == "loaded" { gsub(/\\/, "/", $2); print $2 }' "$work/check.log" | LC_ALL=C sort -u >"$work/read"
(cd "$work/first" && find . -type f -printf '%P\n' | LC_ALL=C sort) >"$work/written"
diff "$work/read" "$work/written" >"$work/manifest.diff" ||
  fail "the generator does not write exactly what the demo reads (< read, > written):
$(cat "$work/manifest.diff")"

expect_png() {
  local file=$1 kind=$2
  [ -f "$work/first/$file" ] || { fail "$file missing"; return; }
  file "$work/first/$file" | grep -q "PNG image data, .*, 8-bit/color $kind," ||
    fail "$file is not an 8-bit $kind PNG: $(file "$work/first/$file")"
}
for name in EnvX EnvY Sky Welcome Particle srcfilea srcfileb lines; do
  expect_png "Textures/$name.png" RGB
done
for name in frame169 theend Text/and Text/zentrox Text/rq73 Text/telun Text/present Text/morva; do
  expect_png "Textures/$name.png" RGBA
done
music="$work/first/Sounds/Crunch.mp3"
if [ -f "$music" ]; then
  file "$music" | grep -q "MPEG ADTS, layer III, v1, 192 kbps, 44.1 kHz, JntStereo" ||
    fail "Sounds/Crunch.mp3 is not a 192 kbit/s 44.1 kHz joint-stereo MP3: $(file "$music")"
else
  fail "Sounds/Crunch.mp3 missing"
fi
for name in floor roof wall1 wall2 wood stone holder passage grate slinky strange; do
  expect_png "Textures/xlab/$name.png" RGB
done
expect_png "Textures/xlab/window.png" RGBA
for file in Curves/Scene2_ts.txt Curves/Scene1_wf.txt Cameras/Scene2_Tour.txt \
            Animations/xlab/strange.txt Animations/xlab/slinky.txt; do
  [ -s "$work/first/$file" ] || fail "$file missing or empty"
done
# The finale: the four morph shapes, the sky's configuration and mesh, the flight, the blur.
for file in Objects/Scene1_27C27.rob Objects/Scene1_27CCube.rob Objects/Scene1_27CArrow.rob \
            Objects/Scene1_27CCircle.rob Complex/sf/env.cfg Objects/sf/env.rob \
            Cameras/Scene1_FlyLikeMad.txt Curves/Scene1_RadialBlur.txt; do
  [ -s "$work/first/$file" ] || fail "$file missing or empty"
done
# The laboratory: fifteen configurations, each with its own mesh.
[ "$(find "$work/first/Complex/xlab" -name '*.cfg' | wc -l)" = "15" ] ||
  fail "expected 15 configurations under Complex/xlab"
[ "$(find "$work/first/Objects/xlab" -name '*.rob' | wc -l)" = "15" ] ||
  fail "expected 15 meshes under Objects/xlab"
count=$(find "$work/first" -type f | wc -l)
[ "$count" = "72" ] || fail "expected 72 files, found $count: $(find "$work/first" -type f)"

if [ "$failures" -ne 0 ]; then
  echo "$failures failed" >&2
  exit 1
fi
echo "data tree: 72 files, identical across runs"
