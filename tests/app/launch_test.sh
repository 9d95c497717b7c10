#!/usr/bin/env bash
# launch_test.sh LARKSPAN HEX_FILE [SLOWNESS]: the real larkspan comes up on the
# offscreen platform (-platform offscreen, no display) and stays up; under an X
# server of its own (when Xvfb and xdotool are there), as its first client, it
# keeps the server up until Qt has connected, opens HEX_FILE, given relative to
# the current folder, at once, and ends with status 0 on Alt+X, the Exit button's
# access key, and on Alt+F4; it also finds the server by -display alone. SLOWNESS
# multiplies every time limit (a sanitizer build is slower).
set -u
bin=$(realpath "$1")
slowness=${3:-1}
work=$(mktemp -d)
xvfb=""
keeper=""
trap 'kill $xvfb $keeper 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "$*"; exit 1; }
# Waits up to N tenths of a second (times SLOWNESS) for COMMAND to succeed.
wait_for() {
  local n=$(($1 * slowness))
  shift
  for _ in $(seq "$n"); do "$@" && return 0; sleep 0.1; done
  "$@"
}

env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin" -platform offscreen &
pid=$!
sleep 1
kill -TERM "$pid" || fail "larkspan ended by itself on the offscreen platform"
wait "$pid" 2>/dev/null
if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null; then
  echo "Xvfb or xdotool missing: the tests under X are skipped"
  exit 0
fi

# The server picks a display number no other server has and writes it to fd 3. It
# ends when its last client leaves, where a server of xvfb-run resets: a larkspan
# that let it go between its display check and Qt's connection would lose it. Its
# log names the process of each client that connects.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -terminate -audit 2 3>"$work/display" \
  2>"$work/xvfb.log" &
xvfb=$!
wait_for 100 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n 1 "$work/display")"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

# Whether process $1 has connected to the server $2 times.
connected() { [ "$(grep -c " connected from .*pid=$1 )" "$work/xvfb.log")" -ge "$2" ]; }

# press KEYS TITLE [ARG]...: larkspan ARG... shows a window titled TITLE (a pattern)
# and ends with status 0 when KEYS are pressed in it. No other client connects
# before Qt's connection, larkspan's second; then one of ours keeps the server up.
press() {
  env ${no_display:+-u DISPLAY} "$bin" "${@:3}" 2>"$work/stderr" &
  pid=$!
  wait_for 300 eval 'connected "$pid" 2 || ! kill -0 "$pid" 2>/dev/null'
  connected "$pid" 2 || fail "$1: larkspan lost the server: $(cat "$work/stderr")"
  [ -n "$keeper" ] || { xdotool sleep 100000 & keeper=$!; }
  wait_for 100 connected "$keeper" 1 || fail "the keeper did not connect"
  # The window mapped and viewable, then focused, before the keys go to it.
  win=$(timeout $((30 * slowness)) xdotool search --sync --onlyvisible --name "$2" | head -n 1)
  [ -n "$win" ] || fail "$1: no window titled '$2'"
  wait_for 50 eval 'xdotool windowfocus --sync "$win" 2>/dev/null &&
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$win" ]'
  xdotool key "$1"
  wait_for 100 eval '! kill -0 "$pid" 2>/dev/null' || { kill "$pid"; fail "$1: still running"; }
  wait "$pid" || fail "$1: status $? $(cat "$work/stderr")"
}
cd "$(dirname "$2")"
press alt+x "^Larkspan - $(pwd -P)/$(basename "$2")\$" "$(basename "$2")"
no_display=1 press alt+F4 '^Larkspan$' -display "$DISPLAY"
# --compare FIRST SECOND: the compare window comes up beside the main window.
"$bin" --compare "$(basename "$2")" "$(basename "$2")" 2>"$work/stderr" &
pid=$!
name="$(pwd -P)/$(basename "$2")"
win=$(timeout $((30 * slowness)) xdotool search --sync --onlyvisible --name \
  "^Compare: $name with $name\$" | head -n 1)
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
[ -n "$win" ] || fail "--compare: no compare window: $(cat "$work/stderr")"
echo "X: larkspan kept the server up for Qt, opened the file argument, found the server by" \
  "-display, ended with status 0 on Alt+X and Alt+F4, and opened the compare window"
