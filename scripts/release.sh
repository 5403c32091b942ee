#!/usr/bin/env bash
# Makes the files of a release in a fresh folder (release/, or the one given), built there from
# this checkout: both Debian packages, the web site as zentrox-web-VERSION.tar.gz (its folder,
# ready for any static host, with the screenshot the AppStream metadata points at), a 1080p MP4
# of the whole demo with its music made by the capture tool, and SHA256SUMS. Prints what it made
# with sizes. The version is the one the programs report (the project's, in CMakeLists.txt).
#   scripts/release.sh [FOLDER]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/release}
if [ -e "$out" ] && [ -n "$(ls -A "$out" 2>/dev/null)" ]; then
  echo "release.sh: $out is not empty; a release is made in a fresh folder" >&2
  exit 1
fi
mkdir -p "$out"
out=$(cd "$out" && pwd)
"$root/scripts/install-deps.sh"

# The packages, from a build of their own (Debian's hardening flags, installed under /usr).
packages=$out/build/package
mapfile -t debs < <(ZENTROX_PACKAGE_BUILD_DIR=$packages "$root/scripts/package.sh" | tail -n 2)
capture=$packages/zentrox-capture
data=$packages/data
version=$("$capture" --version | sed -n 's/^zentrox-capture //p')
[ -n "$version" ] || { echo "release.sh: the capture tool reports no version" >&2; exit 1; }
cp "${debs[@]}" "$out/"

# The web site over the same data tree, with the screenshot at the size the metadata names.
web=$out/build/web
ZENTROX_BUILD_DIR=$packages ZENTROX_WEB_BUILD_DIR=$web "$root/scripts/web.sh" --build-only
metainfo=$packages/packaging/io.github.zentrox.zentrox.metainfo.xml
image=$(grep -o '<image [^>]*>[^<]*</image>' "$metainfo")
width=$(sed -n 's/.*width="\([0-9]*\)".*/\1/p' <<<"$image")
height=$(sed -n 's/.*height="\([0-9]*\)".*/\1/p' <<<"$image")
name=$(sed -n 's|.*/\([^/<]*\)</image>|\1|p' <<<"$image")
"$capture" --data "$data" --at 70 --size "${width}x${height}" --out "$out/build/screenshot" \
  >/dev/null
cp "$out/build/screenshot/frame_000000.png" "$web/site/$name"
site=zentrox-web-$version
# The same bytes from the same files: names sorted, no owners, one time stamp.
stamp=$(date -d "$(dpkg-parsechangelog -l "$root/packaging/changelog" -S Date)" +%s)
tar --create --directory "$web" --transform "s|^site|$site|" --sort=name --owner=0 --group=0 \
  --numeric-owner --mtime="@$stamp" site | gzip -9n >"$out/$site.tar.gz"

# The whole demo at 1080p, the 4:3 picture between black bars, 30 frames a second.
"$capture" --data "$data" --fps 30 --size 1920x1080 --video "$out/zentrox-$version-1080p.mp4" \
  >"$out/build/video-report.txt"

cd "$out"
published=("${debs[@]##*/}" "$site.tar.gz" "zentrox-$version-1080p.mp4")
sha256sum "${published[@]}" >SHA256SUMS
echo "release $version in $out:"
for file in "${published[@]}" SHA256SUMS; do
  printf '  %-36s %8s\n' "$file" "$(numfmt --to=iec --suffix=B "$(stat -c %s "$file")")"
done
