#!/usr/bin/env bash
# command_line_test.sh LARKSPAN HEX_FILE: --help and --version answer on the
# console, also without a display; without a display, or with one that does not
# answer, larkspan says so in one line and ends with status 1.
set -u
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
fail() { echo "$*"; exit 1; }
# larkspan ARG without any display (or with the settings given first).
headless() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "${@:2}" "$bin" "$1" >"$out" 2>"$err"
}
bin=$1

headless --help && grep -q '^Usage: larkspan ' "$out" || fail "--help: status $?"
headless --version && grep -Eqx 'larkspan [0-9]+\.[0-9]+\.[0-9]+' "$out" || fail "--version"
for display in "" DISPLAY=:97; do
  headless "$2" $display
  status=$?
  [ "$status" -eq 1 ] && [ "$(wc -l <"$err")" -eq 1 ] && grep -q larkspan-scan "$err" &&
    grep -q xvfb-run "$err" || fail "display '$display': status $status, $(cat "$err")"
done
