#!/usr/bin/env bash
# command_line_test.sh LARKSPAN HEX_FILE: --help and --version answer on the
# console, also without a display and beside Qt's own options; an unknown option
# ends with status 2. Without a display larkspan says so in one line, naming what
# it tried, and ends with status 1: none set, an X display that does not answer
# (by DISPLAY or -display), a Wayland display alone, platforms that do not exist.
set -u
out=$(mktemp)
err=$(mktemp)
runtime=$(mktemp -d)
trap 'rm -rf "$out" "$err" "$runtime"' EXIT
fail() { echo "$*"; exit 1; }
# headless [NAME=VALUE]... ARG...: larkspan ARG... without any display, with the
# settings; a window that opens after all is ended.
headless() {
  local settings=()
  while [[ $1 == [A-Z]*=* ]]; do settings+=("$1") && shift; done
  env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE \
    "${settings[@]}" timeout 60 "$bin" "$@" >"$out" 2>"$err"
}
bin=$1

headless -platform xcb --help && grep -q '^Usage: larkspan ' "$out" || fail "--help: status $?"
headless -style=fusion -display :97 -reverse --version &&
  grep -Eqx 'larkspan [0-9]+\.[0-9]+\.[0-9]+' "$out" || fail "--version"
# Wrong usage in the words larkspan-scan uses.
headless --bogus=1 "$2"
[ $? -eq 2 ] && [ "$(cat "$err")" = "larkspan: unknown option '--bogus'
Try 'larkspan --help' for more information." ] || fail "--bogus: $(cat "$err")"
headless --compare "$2"
[ $? -eq 2 ] && grep -q -- "--compare takes exactly two files" "$err" || fail "--compare: $(cat "$err")"
# Each line: a word the message has, then the settings and options.
while read -r word args; do
  headless $args "$2"
  status=$?
  [ "$status" -eq 1 ] && [ "$(wc -l <"$err")" -eq 1 ] && grep -q larkspan-scan "$err" &&
    grep -q xvfb-run "$err" && grep -q "$word" "$err" || fail "$args: status $status, $(cat "$err")"
done <<END
WAYLAND_DISPLAY
:97 DISPLAY=:97
:97 -display :97
wayland WAYLAND_DISPLAY=wayland-97 XDG_RUNTIME_DIR=$runtime
nowhere QT_QPA_PLATFORM=nowhere
nowhere QT_QPA_PLATFORM=offscreen -platform nowhere;xcb
END
