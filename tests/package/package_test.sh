#!/usr/bin/env bash
# The Debian package as a user gets it: built by scripts/package.sh, checked by lintian (no
# errors or warnings) and desktop-file-validate, installed with apt, then used from a folder
# that has nothing to do with Zentrox: every program answers --version, the manual pages read,
# the installed capture tool finds and checks the installed tree, and the menu entry's command
# plays the demo under Xvfb until Escape ends it with status 0. Purging the package leaves
# none of its files behind. Needs root, or sudo.
set -uo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo

package=$("$root/scripts/package.sh" | tail -n 1)
[ -f "$package" ] || { echo "FAIL: no package was built" >&2; exit 1; }
echo "package: $package, $(stat -c %s "$package") bytes"
dpkg-deb --field "$package" Depends Recommends Suggests

# lintian: informational notes are fine, errors and warnings are not.
lintian --info "$package" >"$work/lintian.log" 2>&1
grep -E '^[EW]: ' "$work/lintian.log" && fail "lintian: $(grep -E '^[EW]: ' "$work/lintian.log")"
dpkg-deb --fsys-tarfile "$package" | tar -x -C "$work" ./usr/share/applications/zentrox.desktop
desktop-file-validate "$work/usr/share/applications/zentrox.desktop" ||
  fail "desktop-file-validate refused the menu entry"

export DEBIAN_FRONTEND=noninteractive
$sudo apt-get install -y -qq "$package" >"$work/install.log" 2>&1 ||
  { echo "FAIL: apt-get install: $(tail -n 20 "$work/install.log")" >&2; exit 1; }
dpkg -L zentrox >"$work/files"

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
# shellcheck source=../e2e/xvfb_session.sh
source "$root/tests/e2e/xvfb_session.sh"
export SDL_AUDIODRIVER=dummy
if start_demo "$work/elsewhere" && wait_for_title; then
  sleep 1
  xdotool key --window "$window" Escape
  wait_for_exit
  [ "$result" = "0" ] || fail "the installed demo ended with '$result': $(cat "$work/demo.log")"
else
  fail "the installed demo showed no window: $(cat "$work/demo.log")"
fi

$sudo apt-get purge -y -qq zentrox >"$work/purge.log" 2>&1 || fail "apt-get purge: $(tail "$work/purge.log")"
left=()
while read -r path; do
  if [ -f "$path" ] || [ -L "$path" ]; then left+=("$path"); fi
done <"$work/files"
for folder in /usr/share/zentrox /usr/libexec/zentrox /usr/share/doc/zentrox; do
  [ ! -e "$folder" ] || left+=("$folder")
done
[ ${#left[@]} -eq 0 ] || fail "the purge left: ${left[*]}"

[ "$failures" -eq 0 ] && echo "the package installs, plays from anywhere and leaves nothing behind"
exit $(( failures > 0 ))
