#!/usr/bin/env bash
# Speed and memory of larkspan-scan and of the window against srec_info on
# generated HEX files.
#   bench/run.sh [RECORDS...]      (default: 1000000 4000000)
# Builds a release build in build-bench/, writes the files to bench/out/ and prints
# two tables, one row per file:
# - larkspan-scan FILE > /dev/null against srec_info FILE -intel: best wall time of
#   three runs, and peak memory (max RSS); then larkspan-scan --check FILE, whose
#   goal is to stay at least 8 times faster than srec_info;
# - the window on the offscreen platform and under Xvfb with the xcb platform: time
#   from the file dialog's answer to the first entry selected (best of three), with
#   quick load off and on, against srec_info; the memory the listing adds, against
#   the file's size; the time to select the last entry (Ctrl+End); and how often the
#   load processed pending events and laid the list out.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps srecord time xvfb
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DLARKSPAN_BUILD_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)" --target larkspan-scan larkspan-genhex \
  larkspan-window-bench >/dev/null
bin=build-bench/bin
mkdir -p bench/out
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1000000 4000000)

# best_of3 CMD...: prints "seconds max_rss_kib" of the fastest of three runs.
best_of3() {
  local best="" line out
  out=$(mktemp)
  for _ in 1 2 3; do
    /usr/bin/time -o "$out" -f "%e %M" "$@" >/dev/null 2>&1
    line=$(tail -n 1 "$out")
    if [ -z "$best" ] || awk -v a="${line%% *}" -v b="${best%% *}" 'BEGIN{exit !(a<b)}'; then
      best=$line
    fi
  done
  rm -f "$out"
  echo "$best"
}

declare -A srec_seconds
printf '%-10s %8s | %12s %10s | %12s %10s | %7s | %10s %7s\n' records MB "srec_info s" \
  "RSS MiB" "larkspan s" "RSS MiB" speedup "--check s" speedup
for n in "${sizes[@]}"; do
  file=bench/out/records-$n.hex
  [ -f "$file" ] || "$bin/larkspan-genhex" "$n" "$file"
  mb=$(( $(stat -c %s "$file") / 1000000 ))
  read -r st sm < <(best_of3 srec_info "$file" -intel)
  read -r lt lm < <(best_of3 "$bin/larkspan-scan" "$file")
  # A clean file: --check exits with 0.
  read -r ct _ < <(best_of3 "$bin/larkspan-scan" --check "$file")
  srec_seconds[$n]=$st
  awk -v n="$n" -v mb="$mb" -v st="$st" -v sm="$sm" -v lt="$lt" -v lm="$lm" -v ct="$ct" 'BEGIN {
    # /usr/bin/time counts in hundredths
    lt_floor = (lt < 0.01) ? 0.01 : lt; ct_floor = (ct < 0.01) ? 0.01 : ct
    printf "%-10s %8s | %12.2f %10.1f | %12.2f %10.1f | %6.1fx | %10.2f %6.1fx\n", n, mb, st,
           sm / 1024, lt, lm / 1024, st / lt_floor, ct, st / ct_floor
    if (st / ct_floor < 8) print "  (larkspan-scan --check: below its goal of 8 times faster)" }'
done

# An X server for the window on the xcb platform, as users see it.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>bench/out/display 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null' EXIT
for _ in $(seq 100); do [ -s bench/out/display ] && break; sleep 0.1; done
x_display=":$(head -n 1 bench/out/display)"

# window_best PLATFORM FILE [--quick]: "load_s growth_mib last_entry_ms event_rounds
# layouts" of the fastest of three loads.
window_best() {
  local platform=$1
  shift
  for _ in 1 2 3; do
    DISPLAY=$x_display QT_QPA_PLATFORM=$platform "$bin/larkspan-window-bench" "$@" 2>/dev/null
  done | awk '{ if (best == "" || $4 < best) { best = $4; line = $4 " " $6 " " $8 " " $12 " " $14 } }
              END { print line }'
}

echo
printf '%-10s %6s %-9s | %9s %9s | %11s %9s | %13s | %9s | %14s %6s\n' records MB platform \
  "window s" "quick s" "x srec_info" "quick x" "growth/file" "last (ms)" "rounds/layouts" "quick"
for n in "${sizes[@]}"; do
  file=bench/out/records-$n.hex
  bytes=$(stat -c %s "$file")
  for platform in offscreen xcb; do
    read -r ws wg we wr wl < <(window_best "$platform" "$file")
    read -r qs qg qe qr ql < <(window_best "$platform" "$file" --quick)
    awk -v n="$n" -v bytes="$bytes" -v p="$platform" -v st="${srec_seconds[$n]}" -v ws="$ws" \
        -v wg="$wg" -v we="$we" -v qs="$qs" -v qg="$qg" -v wr="$wr" -v wl="$wl" -v qr="$qr" 'BEGIN {
      printf "%-10s %6d %-9s | %9.3f %9.3f | %10.2fx %8.2fx | %6.1f/%-6.1f | %9.1f | %8d/%-5d %6d\n",
             n, bytes / 1e6, p, ws, qs, ws / st, qs / st, (wg > qg ? wg : qg), bytes / 1048576, we,
             wr, wl, qr }'
  done
done

# The memory image window on a 64 MiB image: 4,194,304 records of 16 bytes from
# 08000000h on (with extended linear address records), made by srec_cat. Time from
# the request to the image painted, the memory the window adds, and each Page Down
# from the top of the image to its end (the key and the repaint), on both platforms.
image_section() {
  cmake --build build-bench -j"$(nproc)" --target larkspan-image-bench >/dev/null
  local file=bench/out/image-32bit.hex
  [ -f "$file" ] || srec_cat -generate 0x08000000 0x0C000000 -repeat-string \
    "Larkspan firmware image 0123456789" -o "$file" -intel -address-length=4 -obs=16
  echo
  printf '%-9s %-9s | %8s %10s | %9s %7s | %9s %8s %8s %9s\n' rows platform "open ms" \
    "added KiB" "page rows" steps "median ms" "p99 ms" "max ms" "over 16ms"
  for platform in offscreen xcb; do
    DISPLAY=$x_display QT_QPA_PLATFORM=$platform "$bin/larkspan-image-bench" "$file" 2>/dev/null |
      awk -v p="$platform" '{ printf "%-9s %-9s | %8.1f %10d | %9d %7d | %9.2f %8.2f %8.2f %9d\n",
                                    $2, p, $4, $6, $8, $10, $12, $14, $16, $18 }'
  done
}
image_section
