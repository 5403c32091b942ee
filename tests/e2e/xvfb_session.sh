# Sourced by the tests that run the demo in a real X window: a private Xvfb display, and
# helpers to start the demo in a data tree and to wait for it to end. The caller sets `work`
# (a scratch folder) and `demo` (the program) and defines fail().

# A free display number.
display_number=90
while [ -e "/tmp/.X11-unix/X$display_number" ] || [ -e "/tmp/.X$display_number-lock" ]; do
  display_number=$((display_number + 1))
done
export DISPLAY=":$display_number"
# NOTE: -noreset, or the server resets each time its last client leaves (xdpyinfo below, each
# demo run), refusing connections for a moment; a demo started then finds no display.
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 300); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start" >&2; exit 1; }
demo_pid=""
trap 'kill $demo_pid $xvfb_pid 2>/dev/null; rm -rf "$work"' EXIT

# Starts the demo in the data tree $1 (default $work/data); sets demo_pid and window.
start_demo() {
  local tree=${1:-$work/data}
  (cd "$tree" && exec "$demo") >"$work/demo.log" 2>&1 &
  demo_pid=$!
  window=""
  for _ in $(seq 300); do
    window=$(xdotool search --name '^Zentrox' 2>/dev/null | head -n 1)
    [ -n "$window" ] && return 0
    sleep 0.1
  done
  return 1
}

# Waits up to $1 seconds (default 15) for the demo to end; sets result to its exit code, or
# kills it and leaves a message in result. A guard against hangs, not a speed check: the demo
# ends after the frame in progress, which on a loaded machine may take seconds.
wait_for_exit() {
  local seconds=${1:-15}
  result="still running after $seconds s"
  for _ in $(seq $((seconds * 20))); do
    if ! kill -0 "$demo_pid" 2>/dev/null; then
      wait "$demo_pid"
      result=$?
      return 0
    fi
    sleep 0.05
  done
  kill -KILL "$demo_pid" 2>/dev/null
  return 1
}

title_pattern='^Zentrox \[FPS: ( *[0-9]+| *inf)\] \[TIME: [0-9]+\.[0-9]\] - '

# Waits up to 30 seconds for the first frame's title; sets title.
wait_for_title() {
  for _ in $(seq 300); do
    title=$(xdotool getwindowname "$window" 2>/dev/null)
    [[ $title =~ $title_pattern ]] && return 0
    sleep 0.1
  done
  return 1
}

# The demo time the title shows, seconds.
title_time() {
  xdotool getwindowname "$window" 2>/dev/null | sed -E 's/.*TIME: ([0-9.]+).*/\1/'
}
