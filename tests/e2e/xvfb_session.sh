# Sourced by the tests that run the demo in a real X window, after e2e_helpers.sh: a private
# Xvfb display, and helpers to start the demo in a data tree and to wait for it to end. The
# caller sets `demo` (the program). The display and the demo are stopped when the script exits.
declare -F on_exit >/dev/null ||
  { echo "FAIL: e2e_helpers.sh must be sourced before ${BASH_SOURCE[0]}" >&2; exit 1; }

# A private Xvfb display; the server picks a free number itself (-displayfd), so tests that
# run at the same time never race for one.
# NOTE: -noreset, or the server resets each time its last client leaves (xdpyinfo below, each
# demo run), refusing connections for a moment; a demo started then finds no display.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" \
  >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
demo_pid=""
# Single quotes: by the end demo_pid names the last demo started.
# shellcheck disable=SC2016
on_exit 'kill $demo_pid $xvfb_pid 2>/dev/null'
for _ in $(seq 300); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$work/display")"
for _ in $(seq 300); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || abort "Xvfb did not start: $(cat "$work/xvfb.log")"

# Starts the demo in the data tree $1 (default $work/data) with the options after it; sets
# demo_pid and window.
start_demo() {
  local tree=${1:-$work/data}
  shift || true
  (cd "$tree" && exec "$demo" "$@") >"$work/demo.log" 2>&1 &
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
