#!/usr/bin/env bash
# larkspan-scan on hostile inputs that are not kept as files: a single line of
# hundreds of megabytes, a named pipe without writer and a file it may not read.
# Each case checks the outcome and the peak memory (max RSS).
#   hostile_cli_test.sh LARKSPAN_SCAN [PEAK_MEMORY_LIMIT_KIB]   (0: no limit)
set -u
bin=$1
limit_kib=${2:-16384}
work=$(mktemp -d)
chmod 755 "$work"
trap 'rm -rf "$work"' EXIT
failed=0

# check NAME STATUS STDOUT STDERR CMD...: runs CMD with a time limit and compares
# its status, listing and messages; checks its peak memory.
check() {
  local name=$1 status=$2 out=$3 err=$4
  shift 4
  timeout 120 /usr/bin/time -o "$work/rss" -f "%M" "$@" >"$work/out" 2>"$work/err" </dev/null
  local got=$? rss
  rss=$(tail -n 1 "$work/rss")
  printf '%-16s status %s, peak memory %6d KiB\n' "$name" "$got" "$rss"
  [ "$got" = "$status" ] && [ "$(cat "$work/out")" = "$out" ] && [ "$(cat "$work/err")" = "$err" ] ||
    { echo "FAIL: $name: status $got, output: $(head -c 300 "$work/out" "$work/err")"; failed=1; }
  [ "$limit_kib" -eq 0 ] || [ "$rss" -lt "$limit_kib" ] ||
    { echo "FAIL: $name: peak memory over $limit_kib KiB"; failed=1; }
}

summary=$' - - - - - - - - \nFirst address: 0h in line: 0\nLast address: 0h in line: 0'

# One record line of 300 MB, no line break anywhere.
{ printf ':10000000'; head -c 300000000 /dev/zero | tr '\0' 'A'; } >"$work/big.hex"
check one-line-300MB 0 "Data record: 0000h: $(printf 'A%.0s' {1..32})"$'\n'"$summary" "" \
  "$bin" "$work/big.hex"

# 300 MB of spaces inside one record: spaces are removed wherever they stand.
{ printf ':0100'; head -c 300000000 /dev/zero | tr '\0' ' '; printf '0000EE\r\n'; } >"$work/big.hex"
check spaces-300MB 0 "Data record: 0000h: EE"$'\n'"$summary" "" "$bin" "$work/big.hex"
rm -f "$work/big.hex"

# A named pipe is read as its writer writes, also when the writer comes late.
mkfifo "$work/pipe.hex"
(sleep 0.5; printf ':00000001FF\r\n' >"$work/pipe.hex") &
check named-pipe 0 $'End record.\n - - - - - - - - ' "" "$bin" "$work/pipe.hex"

# A file the user may not read. Root reads everything: read as an ordinary user,
# from a copy of the program that user may run.
printf ':00000001FF\r\n' >"$work/plain.hex"
chmod 000 "$work/plain.hex"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  cp "$bin" "$work/larkspan-scan"
  chmod 755 "$work/larkspan-scan"
  bin=$work/larkspan-scan
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
check no-permission 1 "" "File error: Cannot read file: $work/plain.hex; Permission denied" \
  "${as_user[@]}" "$bin" "$work/plain.hex"

exit $failed
