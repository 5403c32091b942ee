#!/usr/bin/env bash
# The demo in a real X window (Xvfb, no window manager, no audio device), started in an empty
# data tree: it covers the screen, keeps its title in the title format with an advancing time,
# and ends with exit code 0 after Escape or a close request; with music, and with music that is
# cut short or is no MP3, it plays all the same. (Signals, a missing or vanishing audio device
# and a lost display: demo_environment_test.sh.)
set -uo pipefail

demo=$1
close_request=$2
audio_check=$3
source "$(dirname "$0")/e2e_helpers.sh"
source "$(dirname "$0")/xvfb_session.sh"

export SDL_AUDIODRIVER=dummy  # there is no sound device here
mkdir -p "$work/data"

title_pattern='^Zentrox \[FPS: ( *[0-9]+| *inf)\] \[TIME: [0-9]+\.[0-9]\] - $'

# 1. Window, title, Escape.
if start_demo; then
  wait_for_title || fail "title '$title' is not in the title format"
  first=$title
  geometry=$(xdotool getwindowgeometry "$window")
  echo "$geometry" | grep -q 'Position: 0,0' || fail "window is not at the screen's corner: $geometry"
  echo "$geometry" | grep -q 'Geometry: 1024x768' || fail "window does not cover the screen: $geometry"
  sleep 1.5
  second=$(xdotool getwindowname "$window")
  [[ $second =~ $title_pattern ]] || fail "title '$second' is not in the title format"
  first_time=$(echo "$first" | sed -E 's/.*TIME: ([0-9.]+).*/\1/')
  second_time=$(echo "$second" | sed -E 's/.*TIME: ([0-9.]+).*/\1/')
  awk "BEGIN { exit !($second_time > $first_time) }" || fail "time did not advance: $first_time then $second_time"
  xdotool key --window "$window" Escape
  wait_for_exit
  [ "$result" = "0" ] || fail "Escape: demo ended with '$result'"
else
  fail "no demo window appeared"; cat "$work/demo.log" >&2
fi

# 2. A close request, as a window manager sends it.
if start_demo; then
  sleep 0.5
  "$close_request" "$window" || fail "could not send the close request"
  wait_for_exit
  [ "$result" = "0" ] || fail "close request: demo ended with '$result'"
else
  fail "no demo window appeared for the close request"
fi

# 3. With music: what the audio device receives is the decoded music from its first sample.
mkdir -p "$work/music/Sounds"
if ffmpeg -loglevel error -nostdin -f lavfi -i "sine=frequency=441:duration=8" \
     -af "volume=0.5,tremolo=f=3" -ac 2 -ar 44100 -c:a libmp3lame -b:a 192k \
     "$work/music/Sounds/Crunch.mp3"; then
  mv "$work/data" "$work/silent" && mv "$work/music" "$work/data"
  export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$work/audio.raw
  if start_demo; then
    wait_for_title
    sleep 2.5
    xdotool key --window "$window" Escape
    wait_for_exit
    [ "$result" = "0" ] || fail "with music: demo ended with '$result'"
    "$audio_check" "$work/data/Sounds/Crunch.mp3" "$work/audio.raw" 1.5 ||
      fail "the audio output is not the music from its start"
  else
    fail "no demo window appeared with music"; cat "$work/demo.log" >&2
  fi
  # 4. Music cut short, and bytes that are no MP3 at all: the demo plays on.
  export SDL_AUDIODRIVER=dummy
  unset SDL_DISKAUDIOFILE
  head -c 20000 "$work/data/Sounds/Crunch.mp3" >"$work/cut.mp3"
  head -c 20000 /dev/urandom >"$work/noise.mp3"
  for bad in cut noise; do
    cp "$work/$bad.mp3" "$work/data/Sounds/Crunch.mp3"
    if start_demo; then
      wait_for_title || fail "$bad music: no title"
      sleep 1
      xdotool key --window "$window" Escape
      wait_for_exit
      [ "$result" = "0" ] || fail "$bad music: demo ended with '$result'"
    else
      fail "no demo window appeared with $bad music"
    fi
  done
else
  fail "ffmpeg could not make the test music"
fi

if [ -s "$work/demo.log" ]; then
  echo "note: the demo printed:" >&2; cat "$work/demo.log" >&2
fi
finish "demo window tests passed"
