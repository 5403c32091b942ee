#!/usr/bin/env bash
# The Debian packages as a user gets them: zentrox and zentrox-data built by scripts/package.sh,
# checked by lintian at its pedantic level (no errors or warnings), the menu entry by
# desktop-file-validate and the AppStream metadata by appstreamcli, then installed twice.
# First into a clean Debian 12: a minimal root (essential packages and apt) made by mmdebstrap
# from the archive this machine's apt uses, the package installed there with apt, which fetches
# what they depend on; there the capture tool checks the installed tree and renders a frame with
# llvmpipe, the generator paints the icon the package holds, the demo plays under Xvfb, and
# every library a program opened at run time must come from a declared dependency.
# Then on this machine, used from a folder that has nothing to do with Zentrox: every program
# answers --version, the manual pages read, the installed capture tool finds and checks the
# installed tree, and the menu entry's command plays the demo under Xvfb until Escape ends it
# with status 0. Purging the packages leaves none of their files behind.
# Whatever way it ends (success, failure, Ctrl-C, kill), it unmounts what it mounted, removes
# the clean root and its work folder, and purges the packages if it installed them. Needs root,
# or sudo.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
clean=$work/clean
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
abort() {
  fail "$@"
  exit 1
}
# The Xvfb session registers its clean-up through on_exit; cleanup below stops the demo and
# Xvfb itself, after what must go first (the clean root's processes), and unmounts first.
on_exit() { :; }
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
host_installed=0
job=""
demo_pid=""
xvfb_pid=""

# Every mount point at or under $1, deepest first.
mounts_under() {
  awk -v top="$1" '$5 == top || index($5, top "/") == 1 { print $5 }' /proc/self/mountinfo |
    sort -r
}

# shellcheck disable=SC2317  # run by the traps
cleanup() {
  # A second Ctrl-C must not cut the clean-up short and leave mounts behind.
  trap '' INT TERM HUP
  if [ -n "$job" ]; then
    $sudo kill -TERM -- "-$job" 2>/dev/null
    wait "$job" 2>/dev/null
  fi
  # shellcheck disable=SC2086
  kill $demo_pid $xvfb_pid 2>/dev/null
  # Whatever still runs inside the clean root was started by this test, and would keep its
  # mounts busy.
  if [ -d "$clean" ]; then
    $sudo find /proc -mindepth 2 -maxdepth 2 -name root -lname "$clean" 2>/dev/null |
      cut -d / -f 3 | while read -r pid; do $sudo kill -KILL "$pid" 2>/dev/null; done
  fi
  local point
  for point in $(mounts_under "$work"); do
    $sudo umount "$point" 2>/dev/null || $sudo umount --lazy "$point"
  done
  if [ "$host_installed" -eq 1 ]; then
    $sudo apt-get purge -y -qq zentrox zentrox-data >/dev/null 2>&1 ||
      echo "could not purge zentrox and zentrox-data" >&2
  fi
  # NOTE: never remove through a live mount: a bind mount of the machine's /dev or apt cache
  # would lose the machine's files. --one-file-system is a second guard.
  if [ -n "$(mounts_under "$work")" ]; then
    echo "left $work in place: still mounted there: $(mounts_under "$work" | tr '\n' ' ')" >&2
  else
    $sudo rm -rf --one-file-system "$work"
  fi
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

# Runs a command in a process group of its own, in the background, and waits for it: a signal
# to this script then ends the wait at once (bash runs its traps only between commands), and
# the clean-up stops the whole group.
run_job() {
  setsid "$@" &
  job=$!
  wait "$job"
  local status=$?
  job=""
  return "$status"
}

mapfile -t built < <("$root/scripts/package.sh" | tail -n 2)
package=${built[0]:-}
data_package=${built[1]:-}
[ -f "$package" ] && [ -f "$data_package" ] ||
  { echo "FAIL: the two packages were not built: ${built[*]}" >&2; exit 1; }
for deb in "$package" "$data_package"; do
  echo "package: $deb, $(stat -c %s "$deb") bytes"
  dpkg-deb --field "$deb" Package Architecture Depends Recommends Suggests
done
[ "$(dpkg-deb --field "$data_package" Architecture)" = "all" ] ||
  fail "zentrox-data is not architecture all"
version=$(dpkg-deb --field "$package" Version)
dpkg-deb --field "$package" Depends | grep -qF "zentrox-data (= $version)" ||
  fail "zentrox does not depend on zentrox-data of its own version $version"

# lintian at its pedantic level: informational and pedantic notes are listed, errors and
# warnings fail.
lintian -I --pedantic "$package" "$data_package" >"$work/lintian.log" 2>&1
grep -E '^[EW]: ' "$work/lintian.log" && fail "lintian: $(grep -E '^[EW]: ' "$work/lintian.log")"
grep -E '^[IP]: ' "$work/lintian.log" | sed 's/^/lintian notes: /'
dpkg-deb --fsys-tarfile "$package" | tar -x -C "$work" ./usr/share/applications/zentrox.desktop \
  ./usr/share/metainfo/io.github.zentrox.zentrox.metainfo.xml
desktop-file-validate "$work/usr/share/applications/zentrox.desktop" ||
  fail "desktop-file-validate refused the menu entry"
appstreamcli validate --no-net --pedantic \
  "$work/usr/share/metainfo/io.github.zentrox.zentrox.metainfo.xml" >"$work/appstream.log" 2>&1 ||
  fail "appstreamcli refused the metadata: $(cat "$work/appstream.log")"

# One X server for both demo runs.
# shellcheck source=../e2e/xvfb_session.sh
source "$root/tests/e2e/xvfb_session.sh"
export SDL_AUDIODRIVER=dummy

# Runs a command in the clean root with a plain environment, as a login there would have it
# (and no input: the loops below read theirs from files).
in_clean() {
  $sudo chroot "$clean" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
    "$@" </dev/null
}

# The package that holds a file in the clean root. The loader names libraries by the path it
# found them on, which in a merged /usr may be the /lib alias of the path dpkg knows.
owner() {
  local path
  for path in "$1" "/usr$1" "${1#/usr}" "$(in_clean readlink -f "$1")"; do
    in_clean dpkg-query -S "$path" 2>/dev/null | sed -n '1s/:.*//p' | grep . && return 0
  done
  return 1
}

# The package names in relation fields of an installed package of the clean root (all
# alternatives, no versions), one a line: relations PACKAGE '${Depends}, ${Pre-Depends}'.
relations() {
  in_clean dpkg-query -W -f="$2" "$1" 2>/dev/null | tr ',|' '\n\n' |
    sed -E 's/\(.*\)//; s/:[a-z0-9]+//; s/[[:space:]]//g' | grep .
}

# Every library a program opened itself at run time (dlopen, which dpkg-shlibdeps cannot see)
# must come from a package that is declared by the package of the library that opened it, or
# by zentrox. What apt happened to install for some other reason does not count: on another
# machine, or in another release, it may not be there.
check_opened_libraries() {
  local library opener package by declared names depends='${Depends}, ${Pre-Depends}'
  [ -s "$work/opened" ] || { fail "clean root: the loader's trace lists no library opened at run time"; return; }
  while read -r library opener; do
    package=$(owner "$library") || { fail "clean root: $library belongs to no package"; continue; }
    by=$(owner "$opener") || by=""
    [ "$package" = "$by" ] && continue
    declared=$(relations zentrox "$depends"; [ -z "$by" ] || relations "$by" "$depends")
    names=$(relations "$package" '${Provides}'; echo "$package")
    if ! grep -qxF -f <(echo "$names") <<<"$declared"; then
      fail "clean root: $opener opens $library, from $package, which neither ${by:-its package} nor zentrox depends on"
    fi
  done <"$work/opened"
  echo "clean root: libraries opened at run time: $(cut -d ' ' -f 1 "$work/opened" | xargs -n 1 basename | sort -u | xargs)"
}

# A clean Debian 12 from the archive this machine's apt uses, with the package installed by
# apt. Without Recommends: what Depends promises must be enough for every program to work
# (Debian's rule for Depends), and render machines and containers are often installed that
# way; with them, apt would pull in more (ffmpeg alone is a hundred packages, and a Recommends
# of some library could bring in a driver that Depends forgot). The Recommends and Suggests
# are checked to exist in the archive instead.
clean_root() {
  local list parts cache
  eval "$(apt-config shell list Dir::Etc::sourcelist/f parts Dir::Etc::sourceparts/d \
    cache Dir::Cache::archives/d)"
  local files=() file
  [ -f "$list" ] && files+=("$list")
  for file in "$parts"*.list "$parts"*.sources; do [ -f "$file" ] && files+=("$file"); done
  [ ${#files[@]} -gt 0 ] && awk -f "$here/archive_sources.awk" "${files[@]}" >"$work/sources.list"
  [ -s "$work/sources.list" ] ||
    { fail "clean root: no Debian 12 archive in this machine's apt sources (${files[*]})"; return; }
  # How this machine reaches the archive: its proxy, and whether it accepts an old snapshot.
  local options=() option
  while IFS= read -r option; do options+=("--aptopt=$option"); done < <(apt-config dump |
    grep -E '^Acquire::(https?::Proxy|Check-Valid-Until|Check-Date) ')
  # The machine's cache of packages, under an overlay: apt in the root finds there what this
  # machine already downloaded, and what it downloads or removes lands in cache-new; the
  # machine's cache is only read. Without overlays it downloads everything.
  mkdir -p "$clean" "$work/cache-new" "$work/cache-work"
  local overlay="lowerdir=${cache%/},upperdir=$work/cache-new,workdir=$work/cache-work"
  run_job $sudo mmdebstrap --mode=root --variant=apt --format=directory \
    --logfile="$work/mmdebstrap.log" "${options[@]}" \
    --skip=essential/unlink --skip=cleanup/apt \
    --dpkgopt=force-unsafe-io --dpkgopt='path-exclude=/usr/share/doc/*' \
    --dpkgopt='path-exclude=/usr/share/man/*' --dpkgopt='path-exclude=/usr/share/locale/*' \
    --setup-hook="mkdir -p \"\$1/var/cache/apt/archives\" && { mount -t overlay overlay \
      -o '$overlay' \"\$1/var/cache/apt/archives\" || echo 'no overlay: downloading all' >&2; }" \
    bookworm "$clean" "$work/sources.list" ||
    { fail "clean root: mmdebstrap: $(tail -n 20 "$work/mmdebstrap.log")"; return; }
  $sudo mount -t proc proc "$clean/proc" && $sudo mount -t sysfs -o ro sysfs "$clean/sys" ||
    { fail "clean root: cannot mount /proc and /sys"; return; }
  # mmdebstrap made the device nodes; where it could not, the machine's own are bound one by one
  # (a file each, which no removal can go through).
  local node
  for node in null zero full random urandom tty; do
    if [ ! -c "$clean/dev/$node" ]; then
      $sudo touch "$clean/dev/$node" && $sudo mount --bind "/dev/$node" "$clean/dev/$node" ||
        { fail "clean root: no /dev/$node"; return; }
    fi
  done

  $sudo cp "$package" "$data_package" "$clean/tmp/"
  run_job $sudo chroot "$clean" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
    DEBIAN_FRONTEND=noninteractive ${http_proxy:+http_proxy=$http_proxy} \
    ${https_proxy:+https_proxy=$https_proxy} ${no_proxy:+no_proxy=$no_proxy} \
    apt-get install -y -q --no-install-recommends "/tmp/${package##*/}" \
    "/tmp/${data_package##*/}" >"$work/clean-install.log" 2>&1 ||
    { fail "clean root: apt-get install: $(tail -n 20 "$work/clean-install.log")"; return; }
  echo "clean root: $(grep -o '[0-9]* newly installed' "$work/clean-install.log") packages"
  # What apt downloaded goes to the machine's cache, as its own apt would have kept it, so that
  # the next run finds it there.
  $sudo find "$work/cache-new" -maxdepth 1 -type f -name '*.deb' -exec cp -n -t "$cache" {} + ||
    echo "could not keep the downloaded packages in $cache" >&2
  $sudo umount "$clean/var/cache/apt/archives" 2>/dev/null

  local group name found
  while IFS= read -r group; do
    found=0
    for name in ${group//|/ }; do
      in_clean apt-get install -s -qq --no-install-recommends "$name" >/dev/null 2>&1 && found=1
    done
    [ "$found" -eq 1 ] || fail "clean root: nothing in the archive answers '$group'"
  done < <(dpkg-deb --field "$package" Recommends Suggests | sed 's/^[A-Za-z]*: //' |
    tr ',' '\n' | sed -E 's/\([^)]*\)//g; s/:[a-z0-9]+//g; s/^ +//; s/ +$//' | grep .)

  # From a folder that holds no data tree, with nothing on the machine but what apt installed.
  in_clean mkdir -p /tmp/elsewhere /tmp/trace
  in_clean sh -c 'cd /tmp/elsewhere && exec zentrox-capture --check' >"$work/clean-check.log" 2>&1 ||
    fail "clean root: the installed tree does not check: $(grep -v '^loaded' "$work/clean-check.log")"
  grep -q '^data tree /usr/share/zentrox$' "$work/clean-check.log" ||
    fail "clean root: the capture tool did not find the installed tree: $(head -n 3 "$work/clean-check.log")"
  in_clean LIBGL_ALWAYS_SOFTWARE=1 \
    __EGL_VENDOR_LIBRARY_FILENAMES=/usr/share/glvnd/egl_vendor.d/50_mesa.json \
    LD_DEBUG=files,libs LD_DEBUG_OUTPUT=/tmp/trace/capture \
    sh -c 'cd /tmp/elsewhere && exec zentrox-capture --at 100 --out /tmp/elsewhere/frames' \
    >"$work/clean-capture.log" 2>&1 ||
    fail "clean root: the capture tool cannot render: $(tail -n 5 "$work/clean-capture.log")"
  [ "$(head -c 8 "$clean/tmp/elsewhere/frames/frame_000000.png" 2>/dev/null | od -An -tx1 | tr -d ' ')" = \
    89504e470d0a1a0a ] || fail "clean root: the capture wrote no PNG frame"
  # The generator paints with the fonts it reads; the icon it paints must be the one built.
  if in_clean zentrox-data --icon 48 /tmp/elsewhere/icon.png >"$work/clean-icon.log" 2>&1; then
    $sudo cmp -s "$clean/tmp/elsewhere/icon.png" \
      "$clean/usr/share/icons/hicolor/48x48/apps/zentrox.png" ||
      fail "clean root: zentrox-data painted another icon than the one installed"
  else
    fail "clean root: zentrox-data cannot paint: $(cat "$work/clean-icon.log")"
  fi

  # The demo on the X server, through SDL and GLX, which open their libraries themselves.
  printf '#!/bin/sh\nexec %s chroot %q env -i PATH=/usr/bin:/bin HOME=/root DISPLAY=%q SDL_AUDIODRIVER=dummy LD_DEBUG=files,libs LD_DEBUG_OUTPUT=/tmp/trace/demo zentrox\n' \
    "$sudo" "$clean" "$DISPLAY" >"$work/clean-demo"
  chmod +x "$work/clean-demo"
  local host_demo=$demo
  demo=$work/clean-demo
  if start_demo "$work" && wait_for_title; then
    xdotool key --window "$window" Escape
    wait_for_exit
    [ "$result" = "0" ] || fail "clean root: the demo ended with '$result': $(cat "$work/demo.log")"
  elif kill -0 "$demo_pid" 2>/dev/null; then
    fail "clean root: the demo showed no window: $(cat "$work/demo.log")"
    kill "$demo_pid" 2>/dev/null
  else
    wait "$demo_pid"
    fail "clean root: the demo ended with status $? before it showed a picture: $(cat "$work/demo.log")"
  fi
  demo=$host_demo
  demo_pid=""

  $sudo cat "$clean"/tmp/trace/* 2>/dev/null | awk -f "$here/opened_libraries.awk" | sort -u \
    >"$work/opened"
  check_opened_libraries
}

demo=""
started=$SECONDS
clean_root
for point in $(mounts_under "$clean"); do $sudo umount "$point" || $sudo umount --lazy "$point"; done
[ -z "$(mounts_under "$clean")" ] && $sudo rm -rf --one-file-system "$clean"
echo "clean root: made, used and removed in $((SECONDS - started)) s"

export DEBIAN_FRONTEND=noninteractive
host_installed=1
$sudo apt-get install -y -qq "$package" "$data_package" >"$work/install.log" 2>&1 ||
  { echo "FAIL: apt-get install: $(tail -n 20 "$work/install.log")" >&2; exit 1; }
dpkg -L zentrox zentrox-data >"$work/files"

# From a folder that holds no data tree.
mkdir -p "$work/elsewhere"
cd "$work/elsewhere" || exit 1
for program in zentrox zentrox-capture zentrox-capture-farm zentrox-data; do
  "$program" --version | grep -qE "^$program [0-9]+\.[0-9]+\.[0-9]+$" ||
    fail "$program --version: $("$program" --version 2>&1)"
  MANPAGER=cat man "$program" 2>/dev/null | grep -q -- '--help' || fail "no manual page for $program"
done
zentrox-capture --check >"$work/check.log" 2>&1 ||
  fail "the installed tree does not check: $(grep -v '^loaded' "$work/check.log")"
grep -q '^data tree /usr/share/zentrox$' "$work/check.log" ||
  fail "the capture tool did not find the installed tree: $(head -n 3 "$work/check.log")"
zentrox-capture --at 100 --out "$work/elsewhere/frames" >/dev/null 2>&1 ||
  fail "the installed capture tool cannot render"
[ -f "$work/elsewhere/frames/frame_000000.png" ] || fail "the installed capture wrote no frame"
env -u DISPLAY -u WAYLAND_DISPLAY zentrox >/dev/null 2>"$work/headless.log" &&
  fail "the launcher without a display reported success"
grep -q "no display" "$work/headless.log" || fail "the launcher without a display: $(cat "$work/headless.log")"

# The menu entry's command, as the desktop runs it, in a real X window.
demo=$(sed -n 's/^Exec=//p' /usr/share/applications/zentrox.desktop)
if start_demo "$work/elsewhere" && wait_for_title; then
  sleep 1
  xdotool key --window "$window" Escape
  wait_for_exit
  [ "$result" = "0" ] || fail "the installed demo ended with '$result': $(cat "$work/demo.log")"
else
  fail "the installed demo showed no window: $(cat "$work/demo.log")"
fi

$sudo apt-get purge -y -qq zentrox zentrox-data >"$work/purge.log" 2>&1 || fail "apt-get purge: $(tail "$work/purge.log")"
host_installed=0
left=()
while read -r path; do
  if [ -f "$path" ] || [ -L "$path" ]; then left+=("$path"); fi
done <"$work/files"
for folder in /usr/share/zentrox /usr/libexec/zentrox /usr/share/doc/zentrox \
  /usr/share/doc/zentrox-data; do
  [ ! -e "$folder" ] || left+=("$folder")
done
[ ${#left[@]} -eq 0 ] || fail "the purge left: ${left[*]}"

[ "$failures" -eq 0 ] && echo "the packages install on a clean system and here, play from anywhere and leave nothing behind"
exit $(( failures > 0 ))
