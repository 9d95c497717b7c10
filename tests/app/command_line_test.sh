#!/usr/bin/env bash
# The real larkspan on its command line:
#   command_line_test.sh LARKSPAN HEX_FILE
# --help and --version answer on the console, also without a display; without a
# display, or with one that does not answer, it says so in one line and ends with
# status 1; under a virtual X server (when xvfb-run and xdotool are there) the
# window opens HEX_FILE, given relative to the current folder, at once.
set -u
bin=$(realpath "$1")
hex=$2
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
fail() {
  echo "$*"
  exit 1
}
# Runs larkspan without any display; the status is left in $status.
headless() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" "$bin" "${args[@]}" >"$out" 2>"$err"
  status=$?
}

args=(--help) && headless
[ "$status" -eq 0 ] && grep -q '^Usage: larkspan ' "$out" || fail "--help: status $status"
args=(--version) && headless
[ "$status" -eq 0 ] && grep -Eqx 'larkspan [0-9]+\.[0-9]+\.[0-9]+' "$out" ||
  fail "--version: status $status, '$(cat "$out")'"

for display in none :97; do
  if [ "$display" = none ]; then args=("$hex") && headless; else
    args=("$hex") && headless DISPLAY="$display"
  fi
  [ "$status" -eq 1 ] || fail "display $display: status $status, not 1"
  [ "$(wc -l <"$err")" -eq 1 ] && grep -q larkspan-scan "$err" && grep -q xvfb-run "$err" ||
    fail "display $display: not one line naming larkspan-scan and xvfb-run: $(cat "$err")"
done
echo "help, version and the refusal without a display are right"

if ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null; then
  echo "xvfb-run or xdotool missing: the file argument under X is skipped"
  exit 0
fi
cd "$(dirname "$hex")"
title="Larkspan - $(pwd -P)/$(basename "$hex")"
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash -c '
  "$1" "$(basename "$2")" 2>/dev/null &
  pid=$!
  timeout 20 xdotool search --sync --name "^$3\$" >/dev/null
  found=$?
  kill "$pid" 2>/dev/null
  exit "$found"
' _ "$bin" "$hex" "$title" || fail "no window titled '$title'"
echo "X: the file argument opened the window on it"
