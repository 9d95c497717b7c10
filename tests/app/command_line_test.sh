#!/usr/bin/env bash
# command_line_test.sh LARKSPAN HEX_FILE: --help and --version answer on the
# console, also without a display; without a display, or with one that does not
# answer, larkspan says so in one line and ends with status 1; under a virtual X
# server (when xvfb-run and xdotool are there) it opens HEX_FILE, given relative
# to the current folder, at once.
set -u
bin=$(realpath "$1")
hex=$2
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
fail() { echo "$*"; exit 1; }
# larkspan ARG without any display (or with the settings given first).
headless() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "${@:2}" "$bin" "$1" >"$out" 2>"$err"
}

headless --help && grep -q '^Usage: larkspan ' "$out" || fail "--help: status $?"
headless --version && grep -Eqx 'larkspan [0-9]+\.[0-9]+\.[0-9]+' "$out" || fail "--version"
for display in "" DISPLAY=:97; do
  headless "$hex" $display
  status=$?
  [ "$status" -eq 1 ] && [ "$(wc -l <"$err")" -eq 1 ] && grep -q larkspan-scan "$err" &&
    grep -q xvfb-run "$err" || fail "display '$display': status $status, $(cat "$err")"
done

if ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null; then
  echo "xvfb-run or xdotool missing: the file argument under X is skipped"
  exit 0
fi
cd "$(dirname "$hex")"
title="Larkspan - $(pwd -P)/$(basename "$hex")"
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash -c '
  "$1" "$(basename "$2")" 2>/dev/null &
  timeout 20 xdotool search --sync --name "^$3\$" >/dev/null
  found=$?
  kill $! 2>/dev/null
  exit "$found"
' _ "$bin" "$hex" "$title" || fail "no window titled '$title'"
