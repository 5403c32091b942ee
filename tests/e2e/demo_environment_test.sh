#!/usr/bin/env bash
# The demo while its environment changes under it, in a real X window (Xvfb). Without any display
# it ends at once, silently. SIGINT, SIGTERM
# and SIGHUP each end the run with the normal shutdown and exit 0; a FIFO in place of a data
# file neither blocks start-up nor is read; the audio device refusing to open, or going away
# in the middle of the music, stops neither the picture nor the clock; and a display that goes
# away ends the run at once, leaving no process behind.
set -uo pipefail

demo=$1
source "$(dirname "$0")/e2e_helpers.sh"
source "$(dirname "$0")/xvfb_session.sh"

export SDL_AUDIODRIVER=dummy
mkdir -p "$work/data/Sounds" "$work/data/Textures"
ffmpeg -loglevel error -nostdin -f lavfi -i "sine=frequency=441:duration=20" -ac 2 -ar 44100 \
  -c:a libmp3lame -b:a 192k "$work/data/Sounds/Crunch.mp3" || fail "ffmpeg could not make music"

# Whether the title's time grows by at least $1 seconds within 30 s: the clock and the picture
# go on.
time_advances() {
  local from to
  from=$(title_time)
  for _ in $(seq 300); do
    to=$(title_time)
    awk -v a="$from" -v b="$to" -v d="$1" 'BEGIN { exit !(b >= a + d) }' && return 0
    sleep 0.1
  done
  echo "the time went from $from to $to" >&2
  return 1
}

# 0. No display at all: SDL would fall back to drawing offscreen, unseen; the demo ends at once
# instead, silently, as when its window cannot open.
(cd "$work/data" && exec env -u DISPLAY -u WAYLAND_DISPLAY timeout 30 "$demo") >"$work/headless.log" 2>&1
code=$?
[ "$code" = 0 ] || fail "without a display the demo ended with $code (124: it played on unseen)"
[ ! -s "$work/headless.log" ] || fail "without a display the demo printed: $(cat "$work/headless.log")"

# 1. Each stop signal: the normal shutdown, exit 0.
for signal in INT TERM HUP; do
  if start_demo && wait_for_title; then
    kill -"$signal" "$demo_pid"
    wait_for_exit
    [ "$result" = "0" ] || fail "SIG$signal: the demo ended with '$result'"
  else
    fail "no demo window appeared for SIG$signal"
  fi
done

# 2. A FIFO with no writer in place of a picture: opening it would block forever.
mkfifo "$work/data/Textures/EnvX.png"
if start_demo && wait_for_title; then
  xdotool key --window "$window" Escape
  wait_for_exit
  [ "$result" = "0" ] || fail "with a FIFO in the tree: the demo ended with '$result'"
else
  fail "with a FIFO in the tree the demo did not start: $(cat "$work/demo.log")"
fi
rm -f "$work/data/Textures/EnvX.png"
kill "$demo_pid" 2>/dev/null

# 3. An audio device that refuses to open: an unknown driver, ALSA with no such card, and
# whatever this machine has (no card at all, on a build machine). The demo plays on, and prints
# nothing: the sound libraries' own complaints are silenced.
# (An empty SDL_AUDIODRIVER is SDL's own choice.)
start_with_driver() {
  if [ "$1" = alsa ]; then
    AUDIODEV=no-such-card SDL_AUDIODRIVER=alsa start_demo
  else
    SDL_AUDIODRIVER=$1 start_demo
  fi
}
for driver in no-such-driver alsa ""; do
  if start_with_driver "$driver" && wait_for_title; then
    time_advances 1 || fail "with audio driver '$driver' the clock stopped"
    xdotool key --window "$window" Escape
    wait_for_exit
    [ "$result" = "0" ] || fail "with audio driver '$driver': the demo ended with '$result'"
    [ ! -s "$work/demo.log" ] ||
      fail "with audio driver '$driver' the demo printed: $(cat "$work/demo.log")"
  else
    fail "no demo window appeared with audio driver '$driver'"
  fi
done

# 4. An audio device that goes away: SDL's disk driver writes into a FIFO whose reader takes
# half a second of sound and leaves, so every later write fails.
mkfifo "$work/audio.fifo"
head -c 176400 <"$work/audio.fifo" >/dev/null &
reader=$!
if SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$work/audio.fifo start_demo && wait_for_title; then
  wait "$reader"
  time_advances 2 || fail "after the audio device went away the clock stopped"
  kill -0 "$demo_pid" 2>/dev/null || fail "the demo ended when the audio device went away"
  xdotool key --window "$window" Escape
  wait_for_exit
  [ "$result" = "0" ] || fail "after the audio device went away: the demo ended with '$result'"
else
  fail "no demo window appeared with the disk audio device"
fi
kill "$reader" 2>/dev/null

# 5. The display goes away: the run ends at once (Xlib's exit status 1 is fine), and nothing of
# it is left running.
if start_demo && wait_for_title; then
  kill -KILL "$xvfb_pid"
  wait_for_exit
  [[ $result =~ ^[0-9]+$ ]] && [ "$result" -lt 128 ] ||
    fail "after the display went away the demo ended with '$result'"
  left=$(pgrep -f "^$demo( |$)" || true)
  [ -z "$left" ] || fail "processes left after the display went away: $left"
else
  fail "no demo window appeared before the display went away"
fi

finish "the demo ends cleanly whatever its environment does"
