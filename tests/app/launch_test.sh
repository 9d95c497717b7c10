#!/usr/bin/env bash
# Starts the real larkspan executable and ends it.
#   launch_test.sh LARKSPAN [SLOWNESS]
# On the offscreen platform it must come up and stay up until it is ended. Under a
# virtual X server of its own (when Xvfb and xdotool are there) it must end with
# status 0 when the user presses Alt+X, the Exit button's access key, and on Alt+F4.
# SLOWNESS multiplies every time limit (a sanitizer build starts and ends slower).
set -u
bin=$1
slowness=${2:-1}
work=$(mktemp -d)
xvfb=""
trap 'kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT

QT_QPA_PLATFORM=offscreen "$bin" &
pid=$!
sleep 1
if ! kill -0 "$pid" 2>/dev/null; then
  wait "$pid"
  echo "larkspan ended by itself on the offscreen platform (status $?)"
  exit 1
fi
kill -TERM "$pid"
wait "$pid" 2>/dev/null
echo "offscreen: started, stayed up, ended"

if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null; then
  echo "Xvfb or xdotool missing: the key test under X is skipped"
  exit 0
fi

# An X server on a display number that it picks itself and writes to fd 3, so
# that servers started at the same moment never share one; it stays up when its
# last client leaves (the program checks the display before it connects for good).
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq $((100 * slowness))); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

# Presses KEYS in the window of a fresh larkspan; prints why and returns 1 unless
# it ended with status 0.
press_and_wait() {
  "$bin" 2>"$work/stderr" &
  local pid=$! win="" tries
  # Wait until the window is mapped and viewable, then give it the focus.
  win=$(timeout $((30 * slowness)) xdotool search --sync --onlyvisible --name '^Larkspan$' |
    head -n 1)
  [ -n "$win" ] || { echo "no window"; kill "$pid"; return 1; }
  for tries in $(seq $((50 * slowness))); do
    xdotool windowfocus --sync "$win" 2>/dev/null &&
      [ "$(xdotool getwindowfocus 2>/dev/null)" = "$win" ] && break
    sleep 0.1
  done
  echo "focused after $tries tries"
  xdotool key "$1"
  for _ in $(seq $((100 * slowness))); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    echo "still running"
    return 1
  fi
  wait "$pid" || { echo "status $?"; cat "$work/stderr"; return 1; }
}

for keys in alt+x alt+F4; do
  if ! press_and_wait "$keys"; then
    echo "X: $keys did not end larkspan with status 0"
    exit 1
  fi
  echo "X: $keys ended larkspan with status 0"
done
