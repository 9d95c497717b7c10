#!/usr/bin/env bash
# larkspan-scan on hostile inputs that are not kept as files: a single line of
# hundreds of megabytes, a file it may not read, a named pipe without writer and a
# character device. Each case checks the outcome and the peak memory (max RSS).
#   hostile_cli_test.sh LARKSPAN_SCAN [PEAK_MEMORY_LIMIT_KIB]   (0: no limit)
set -u
bin=$1
limit_kib=${2:-16384}
work=$(mktemp -d)
chmod 755 "$work"
trap 'rm -rf "$work"' EXIT
failed=0

fail() {
  echo "FAIL: $*"
  failed=1
}

# run NAME CMD...: runs CMD with a time limit, keeping its output, status and peak RSS.
run() {
  local name=$1
  shift
  timeout 120 /usr/bin/time -o "$work/$name.rss" -f "%M" "$@" >"$work/$name.out" 2>"$work/$name.err" </dev/null
  echo $? >"$work/$name.status"
  printf '%-28s status %s, peak memory %6d KiB\n' "$name" "$(cat "$work/$name.status")" \
    "$(tail -n 1 "$work/$name.rss")"
  [ "$limit_kib" -eq 0 ] || [ "$(tail -n 1 "$work/$name.rss")" -lt "$limit_kib" ] ||
    fail "$name: peak memory over $limit_kib KiB"
}

expect() {  # expect NAME STATUS STDOUT STDERR
  [ "$(cat "$work/$1.status")" = "$2" ] || fail "$1: status $(cat "$work/$1.status"), expected $2"
  [ "$(cat "$work/$1.out")" = "$3" ] || fail "$1: listing differs: $(head -c 300 "$work/$1.out")"
  [ "$(cat "$work/$1.err")" = "$4" ] || fail "$1: messages differ: $(head -c 300 "$work/$1.err")"
}

summary_at_zero=$' - - - - - - - - \nFirst address: 0h in line: 0\nLast address: 0h in line: 0'

# One record line of 300 MB, no line break anywhere.
{ printf ':10000000'; head -c 300000000 /dev/zero | tr '\0' 'A'; } >"$work/one-line.hex"
run one-line-300MB "$bin" "$work/one-line.hex"
expect one-line-300MB 0 "Data record: 0000h: $(printf 'A%.0s' {1..32})"$'\n'"$summary_at_zero" ""

# 300 MB of spaces inside one record: spaces are removed wherever they stand.
{ printf ':0100'; head -c 300000000 /dev/zero | tr '\0' ' '; printf '0000EE\r\n'; } >"$work/spaces.hex"
run spaces-300MB "$bin" "$work/spaces.hex"
expect spaces-300MB 0 "Data record: 0000h: EE"$'\n'"$summary_at_zero" ""
rm -f "$work/one-line.hex" "$work/spaces.hex"

# A named pipe without writer reads as an empty file instead of waiting forever.
mkfifo "$work/pipe.hex"
run named-pipe "$bin" "$work/pipe.hex"
expect named-pipe 0 " - - - - - - - - " ""

run dev-null "$bin" /dev/null
expect dev-null 0 " - - - - - - - - " ""

# A path through a file, and a file the user may not read.
printf ':00000001FF\r\n' >"$work/plain.hex"
run not-a-folder "$bin" "$work/plain.hex/inner.hex"
expect not-a-folder 1 "" "File error: Cannot read file: $work/plain.hex/inner.hex; Not a directory"

chmod 000 "$work/plain.hex"
if [ "$(id -u)" -eq 0 ]; then
  # Root reads everything: read as an ordinary user, from a copy it may run.
  cp "$bin" "$work/larkspan-scan"
  chmod 755 "$work/larkspan-scan"
  run no-permission setpriv --reuid=nobody --regid=nogroup --clear-groups \
    "$work/larkspan-scan" "$work/plain.hex"
else
  run no-permission "$bin" "$work/plain.hex"
fi
expect no-permission 1 "" "File error: Cannot read file: $work/plain.hex; Permission denied"

exit $failed
