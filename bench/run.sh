#!/usr/bin/env bash
# Speed and memory of larkspan-scan and of the window against srec_info on
# generated HEX files.
#   bench/run.sh [RECORDS...]      (default: 1000000 4000000)
# Builds a release build in build-bench/, writes the files to bench/out/ and prints
# two tables, one row per file:
# - larkspan-scan FILE > /dev/null against wc -l FILE and srec_info FILE -intel:
#   best wall time of five runs to the microsecond, and the highest peak memory
#   (max RSS) of three; the goals: at least 10 times the speed of srec_info, at
#   most 3 times the time of wc -l, at most 3 MiB; then larkspan-scan --check FILE,
#   whose goal is to stay at least 8 times faster than srec_info;
# - the window on the offscreen platform and under Xvfb with the xcb platform: time
#   from the file dialog's answer to the first entry selected (best of three), with
#   quick load off and on, against srec_info (goal: at most 0.3 times its time);
#   the memory the listing adds, against the file's size; the process's peak memory;
#   the time to select the last entry (Ctrl+End); how often the load processed
#   pending events and laid the list out; and the time from opening the map window,
#   after a load that gathered no map, to its map shown (goal: within 1 s);
# - two 16 MiB images, 1000 bytes apart: larkspan-scan --compare against
#   srec_cmp -v; the compare window on them: the time to its rows painted and each
#   step to the next difference;
# - a 16 MiB image with 32-bit addresses written by srec_cat: larkspan-scan --dump
#   FILE > /dev/null against srec_cat FILE -intel -o - -hex-dump (best of three),
#   with the goals of 10 times faster and a peak memory of at most the file's data
#   bytes plus 16 MiB;
# - that 16 MiB image: larkspan-scan --crc crc32 against srec_cat's -crc32-l-e over
#   the same range, with the goals of 10 times faster and the peak memory of --map;
# - that 16 MiB image written as S-records with 32-bit addresses: larkspan-scan FILE
#   and --map FILE against srec_info FILE, with the goals of 10 times faster each and
#   the peak memory of Intel HEX.
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

# best_of3 CMD...: prints "seconds max_rss_kib" of the fastest of three runs. A
# command may end with a status other than 0 (compares that find differences do).
best_of3() {
  local best="" line out
  out=$(mktemp)
  for _ in 1 2 3; do
    /usr/bin/time -o "$out" -f "%e %M" "$@" >/dev/null 2>&1 || true
    line=$(tail -n 1 "$out")
    if [ -z "$best" ] || awk -v a="${line%% *}" -v b="${best%% *}" 'BEGIN{exit !(a<b)}'; then
      best=$line
    fi
  done
  rm -f "$out"
  echo "$best"
}

# best_wall CMD...: the wall time in seconds of the fastest of five runs, to the
# microsecond (/usr/bin/time counts in hundredths, too coarse beside wc -l).
best_wall() {
  local best="" start elapsed
  for _ in 1 2 3 4 5; do
    start=$EPOCHREALTIME
    "$@" >/dev/null 2>&1
    elapsed=$(awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.6f", b - a }')
    if [ -z "$best" ] || awk -v a="$elapsed" -v b="$best" 'BEGIN{exit !(a<b)}'; then
      best=$elapsed
    fi
  done
  echo "$best"
}

# peak_kib CMD...: the highest peak memory (max RSS, KiB) of three runs.
peak_kib() {
  local out
  out=$(mktemp)
  for _ in 1 2 3; do
    /usr/bin/time -o "$out" -a -f "%M" "$@" >/dev/null 2>&1
  done
  grep -E "^[0-9]+$" "$out" | sort -n | tail -n 1
  rm -f "$out"
}

declare -A srec_seconds
printf '%-10s %6s | %9s | %11s %8s | %12s %8s | %9s %8s | %10s %7s\n' records MB "wc -l s" \
  "srec_info s" "RSS MiB" "larkspan s" "RSS MiB" "x srec" "x wc -l" "--check s" speedup
for n in "${sizes[@]}"; do
  file=bench/out/records-$n.hex
  [ -f "$file" ] || "$bin/larkspan-genhex" "$n" "$file"
  mb=$(( $(stat -c %s "$file") / 1000000 ))
  wt=$(best_wall wc -l "$file")
  st=$(best_wall srec_info "$file" -intel)
  sm=$(peak_kib srec_info "$file" -intel)
  lt=$(best_wall "$bin/larkspan-scan" "$file")
  lm=$(peak_kib "$bin/larkspan-scan" "$file")
  # A clean file: --check exits with 0.
  ct=$(best_wall "$bin/larkspan-scan" --check "$file")
  srec_seconds[$n]=$st
  awk -v n="$n" -v mb="$mb" -v wt="$wt" -v st="$st" -v sm="$sm" -v lt="$lt" -v lm="$lm" \
      -v ct="$ct" 'BEGIN {
    printf "%-10s %6s | %9.3f | %11.3f %8.1f | %12.3f %8.1f | %8.1fx %7.2fx | %10.3f %6.1fx\n",
           n, mb, wt, st, sm / 1024, lt, lm / 1024, st / lt, lt / wt, ct, st / ct
    if (st / lt < 10) print "  (larkspan-scan: below its goal of 10 times the speed of srec_info)"
    if (lt / wt > 3) print "  (larkspan-scan: above its goal of 3 times the time of wc -l)"
    if (lm > 3 * 1024) print "  (larkspan-scan: above its goal of 3 MiB peak memory)"
    if (st / ct < 8) print "  (larkspan-scan --check: below its goal of 8 times faster)" }'
done

# The memory map of 32-bit images as toolchains write them (an 04 record every
# 64 KiB): 16 MiB (1 M data records) and 64 MiB (4 M), against srec_info on the
# same file. Goals: at least 8 times faster, peak memory at most the data bytes
# plus 16 MiB.
linear_image() {  # linear_image END: the image from 08000000 to END, made once
  local file=bench/out/linear-$1.hex
  [ -f "$file" ] || srec_cat -generate 0x08000000 "$1" -repeat-string \
    "Larkspan firmware image 0123456789" -o "$file" -intel -address-length=4 -obs=16
  echo "$file"
}
echo
printf '%-10s %8s | %12s | %12s %10s | %7s | %s\n' "image MiB" "file MB" "srec_info s" \
  "--map s" "RSS MiB" speedup "RSS goal MiB"
for end in 0x09000000 0x0C000000; do
  file=$(linear_image $end)
  read -r st _ < <(best_of3 srec_info "$file" -intel)
  read -r mt mm < <(best_of3 "$bin/larkspan-scan" --map "$file")
  awk -v data=$((end - 0x08000000)) -v bytes="$(stat -c %s "$file")" -v st="$st" -v mt="$mt" \
      -v mm="$mm" 'BEGIN {
    goal = data / 1048576 + 16; mt_floor = (mt < 0.01) ? 0.01 : mt
    printf "%-10d %8d | %12.2f | %12.2f %10.1f | %6.1fx | %s\n", data / 1048576, bytes / 1e6, st,
           mt, mm / 1024, st / mt_floor, (mm / 1024 <= goal ? "<= " : "OVER ") goal
    if (st / mt_floor < 8) print "  (larkspan-scan --map: below its goal of 8 times faster)" }'
done

# The 16 MiB image as S-records with 32-bit addresses (S3, 16 bytes each, as the
# Intel file), made once by srec_cat: the listing and --map against srec_info on
# the same file. Goals: at least 10 times faster each; peak memory as for Intel HEX
# (the listing 3 MiB, the map the data bytes plus 16 MiB).
srec_section() {
  local end=$1 file
  file=bench/out/linear-$end.s37
  [ -f "$file" ] || srec_cat "$(linear_image "$end")" -intel -o "$file" -motorola \
    -address-length=4 -obs=16
  local st sm lt lm mt mm
  st=$(best_wall srec_info "$file")
  sm=$(peak_kib srec_info "$file")
  lt=$(best_wall "$bin/larkspan-scan" "$file")
  lm=$(peak_kib "$bin/larkspan-scan" "$file")
  mt=$(best_wall "$bin/larkspan-scan" --map "$file")
  mm=$(peak_kib "$bin/larkspan-scan" --map "$file")
  echo
  printf '%-10s %8s | %11s %8s | %10s %8s %7s | %8s %8s %7s\n' "S37 MiB" "file MB" \
    "srec_info s" "RSS MiB" "listing s" "RSS MiB" speedup "--map s" "RSS MiB" speedup
  awk -v data=$((end - 0x08000000)) -v bytes="$(stat -c %s "$file")" -v st="$st" -v sm="$sm" \
      -v lt="$lt" -v lm="$lm" -v mt="$mt" -v mm="$mm" 'BEGIN {
    printf "%-10d %8d | %11.3f %8.1f | %10.3f %8.1f %6.1fx | %8.3f %8.1f %6.1fx\n",
           data / 1048576, bytes / 1e6, st, sm / 1024, lt, lm / 1024, st / lt, mt, mm / 1024, st / mt
    if (st / lt < 10) print "  (larkspan-scan on S-records: below its goal of 10 times faster)"
    if (lm > 3 * 1024) print "  (larkspan-scan on S-records: above its goal of 3 MiB peak memory)"
    if (st / mt < 10) print "  (larkspan-scan --map on S-records: below its goal of 10 times faster)"
    if (mm * 1024 > data + 16 * 1048576) print "  (larkspan-scan --map on S-records: above its memory goal)" }'
}
srec_section 0x09000000

# Two 16 MiB images of a million records each, the second with 1000 scattered
# bytes changed: --compare against srec_cmp -v on the same pair. Goals: at least
# 10 times faster; peak memory at most the two images' data plus 16 MiB.
changed_copy() {  # changed_copy FILE: FILE with 1000 data bytes changed, made once
  local out=${1%.hex}-changed.hex
  [ -f "$out" ] || python3 - "$1" "$out" <<'PY'
import random, sys
lines = open(sys.argv[1]).read().split("\n")
rng = random.Random(1000)
data = [i for i, l in enumerate(lines) if l[7:9] == "00" and len(l) > 11]
for i in rng.sample(data, 1000):
    fields = bytearray.fromhex(lines[i][1:-2])
    fields[4 + rng.randrange(fields[0])] ^= 0x5A
    lines[i] = ":" + fields.hex().upper() + "%02X" % (-sum(fields) & 0xFF)
open(sys.argv[2], "w").write("\n".join(lines))
PY
  echo "$out"
}
compare_section() {
  local first second ct cm st
  first=$(linear_image 0x09000000)
  second=$(changed_copy "$first")
  read -r st _ < <(best_of3 srec_cmp "$first" -intel "$second" -intel -v)
  read -r ct cm < <(best_of3 "$bin/larkspan-scan" --compare "$first" "$second")
  echo
  printf '%-22s | %12s | %12s %10s | %7s\n' "compare" "srec_cmp -v s" "--compare s" "RSS MiB" \
    speedup
  awk -v st="$st" -v ct="$ct" -v cm="$cm" 'BEGIN {
    floor = (ct < 0.01) ? 0.01 : ct
    printf "%-22s | %12.2f | %12.2f %10.1f | %6.1fx\n", "16 MiB, 1000 changed", st, ct,
           cm / 1024, st / floor
    if (st / floor < 10) print "  (larkspan-scan --compare: below its goal of 10 times faster)"
    if (cm / 1024 > 2 * 16 + 16) print "  (larkspan-scan --compare: above its memory goal)" }'
}
compare_section

# The 16 MiB image: larkspan-scan --crc crc32 against srec_cat computing the same
# CRC-32 over the same range (its -crc32-l-e filter, only the CRC written out), and
# the two values compared. Goals: at least 10 times faster; peak memory as --map's
# (the data bytes plus 16 MiB).
crc_section() {
  local file lo=0x08000000 hi=0x09000000 st ct cm theirs ours
  file=$(linear_image $hi)
  local srec=(srec_cat "$file" -intel -fill 0xFF $lo $hi -crop $lo $hi -crc32-l-e $hi -crop $hi
              $((hi + 4)) -o - -intel)
  read -r st _ < <(best_of3 "${srec[@]}")
  read -r ct cm < <(best_of3 "$bin/larkspan-scan" --crc crc32 "$file")
  theirs=$("${srec[@]}" | awk -F '' 'NR == 2 { print $16 $17 $14 $15 $12 $13 $10 $11 }')
  ours=$("$bin/larkspan-scan" --crc crc32 "$file" | awk '$1 == "value:" { sub(/,$/, "", $2); print $2 }')
  echo
  printf '%-22s | %12s | %12s %10s | %7s | %s\n' "crc32" "srec_cat s" "--crc s" "RSS MiB" \
    speedup "value (srec_cat)"
  awk -v st="$st" -v ct="$ct" -v cm="$cm" -v ours="$ours" -v theirs="$theirs" 'BEGIN {
    floor = (ct < 0.01) ? 0.01 : ct
    printf "%-22s | %12.2f | %12.2f %10.1f | %6.1fx | %s (%s)\n", "16 MiB, 32-bit", st, ct,
           cm / 1024, st / floor, ours, theirs
    if (ours != theirs) print "  (larkspan-scan --crc: another value than srec_cat)"
    if (st / floor < 10) print "  (larkspan-scan --crc: below its goal of 10 times faster)"
    if (cm / 1024 > 16 + 16) print "  (larkspan-scan --crc: above its memory goal)" }'
}
crc_section

# An X server for the window on the xcb platform, as users see it.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>bench/out/display 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null' EXIT
for _ in $(seq 100); do [ -s bench/out/display ] && break; sleep 0.1; done
x_display=":$(head -n 1 bench/out/display)"

# window_best PLATFORM FILE [--quick]: "load_s growth_mib last_entry_ms event_rounds
# layouts peak_mib map_s" of the fastest of three loads.
window_best() {
  local platform=$1
  shift
  for _ in 1 2 3; do
    DISPLAY=$x_display QT_QPA_PLATFORM=$platform "$bin/larkspan-window-bench" "$@" 2>/dev/null
  done | awk '{ if (best == "" || $4 < best) {
                  best = $4; line = $4 " " $6 " " $8 " " $12 " " $14 " " $16 " " $18 } }
              END { print line }'
}

# Goals of the window with no view open: a load within 0.3 times srec_info's time,
# and the map window, opened afterwards, showing its map within 1 s.
echo
printf '%-10s %6s %-9s | %9s %9s | %11s %9s | %13s | %8s | %9s | %14s %6s\n' records MB \
  platform "window s" "quick s" "x srec_info" "quick x" "growth/file" "peak MiB" "last (ms)" \
  "rounds/layouts" "quick" 
for n in "${sizes[@]}"; do
  file=bench/out/records-$n.hex
  bytes=$(stat -c %s "$file")
  for platform in offscreen xcb; do
    read -r ws wg we wr wl wp wm < <(window_best "$platform" "$file")
    read -r qs qg qe qr ql qp qm < <(window_best "$platform" "$file" --quick)
    awk -v n="$n" -v bytes="$bytes" -v p="$platform" -v st="${srec_seconds[$n]}" -v ws="$ws" \
        -v wg="$wg" -v we="$we" -v qs="$qs" -v qg="$qg" -v wr="$wr" -v wl="$wl" -v qr="$qr" \
        -v wp="$wp" -v qp="$qp" -v wm="$wm" -v qm="$qm" 'BEGIN {
      peak = (wp > qp ? wp : qp); map = (wm < qm ? wm : qm)
      printf "%-10s %6d %-9s | %9.3f %9.3f | %10.2fx %8.2fx | %6.1f/%-6.1f | %8.1f | %9.1f | %8d/%-5d %6d\n",
             n, bytes / 1e6, p, ws, qs, ws / st, qs / st, (wg > qg ? wg : qg), bytes / 1048576, peak,
             we, wr, wl, qr
      printf "%-10s %6s %-9s   map window shown %.3f s after opening it\n", "", "", "", map
      if (ws / st > 0.3) print "  (window load: above its goal of 0.3 times srec_info)"
      if (map > 1) print "  (map window: above its goal of 1 s)" }'
  done
done

echo
image_first=0x08000000 image_end=0x09000000
image=$(linear_image $image_end)
read -r st sm < <(best_of3 srec_cat "$image" -intel -o - -hex-dump)
read -r dt dm < <(best_of3 "$bin/larkspan-scan" --dump "$image")
printf '%-14s %6s | %12s %10s | %12s %10s | %7s\n' image MB "srec_cat s" "RSS MiB" \
  "--dump s" "RSS MiB" speedup
awk -v mb="$(( $(stat -c %s "$image") / 1000000 ))" -v data="$(( image_end - image_first ))" \
    -v st="$st" -v sm="$sm" -v dt="$dt" -v dm="$dm" 'BEGIN {
  dt_floor = (dt < 0.01) ? 0.01 : dt
  printf "%-14s %6d | %12.2f %10.1f | %12.2f %10.1f | %6.1fx\n", "16 MiB, 32-bit", mb, st,
         sm / 1024, dt, dm / 1024, st / dt_floor
  if (st / dt_floor < 10) print "  (larkspan-scan --dump: below its goal of 10 times faster)"
  if (dm * 1024 > data + 16 * 1048576) print "  (larkspan-scan --dump: above its memory goal)" }'
# The memory image window on a 64 MiB image: 4,194,304 records of 16 bytes from
# 08000000h on (with extended linear address records), made by srec_cat. Time from
# the request to the image painted, the memory the window adds, and each Page Down
# from the top of the image to its end (the key and the repaint), on both platforms.
image_section() {
  cmake --build build-bench -j"$(nproc)" --target larkspan-image-bench >/dev/null
  local file
  file=$(linear_image 0x0C000000)
  echo
  printf '%-9s %-9s | %8s %10s | %9s %7s | %9s %8s %8s %9s\n' rows platform "open ms" \
    "added KiB" "page rows" steps "median ms" "p99 ms" "max ms" "over 16ms"
  for platform in offscreen xcb; do
    DISPLAY=$x_display QT_QPA_PLATFORM=$platform "$bin/larkspan-image-bench" "$file" 2>/dev/null |
      awk -v p="$platform" '{ printf "%-9s %-9s | %8.1f %10d | %9d %7d | %9.2f %8.2f %8.2f %9d\n",
                                    $2, p, $4, $6, $8, $10, $12, $14, $16, $18
                              printf "%-9s %-9s   checksum of 16 MiB selected: CRC-32 %.1f ms, slowest %.1f ms\n",
                                    "", "", $20, $22
                              if ($22 > 100) print "  (checksum: above its goal of 100 ms)" }'
  done
}
image_section

# The compare window on the two 16 MiB images 1000 bytes apart, both maps read:
# the time to its rows painted (goal: 100 ms) and each step to the next
# difference with its repaint (goal: 16 ms).
compare_window_section() {
  cmake --build build-bench -j"$(nproc)" --target larkspan-compare-bench >/dev/null
  local first second
  first=$(linear_image 0x09000000)
  second=$(changed_copy "$first")
  echo
  printf '%-11s %-9s | %8s | %7s %9s %8s %8s %9s\n' differences platform "open ms" steps \
    "median ms" "p99 ms" "max ms" "over 16ms"
  for platform in offscreen xcb; do
    DISPLAY=$x_display QT_QPA_PLATFORM=$platform "$bin/larkspan-compare-bench" "$first" \
      "$second" 2>/dev/null |
      awk -v p="$platform" '{ printf "%-11d %-9s | %8.1f | %7d %9.3f %8.3f %8.3f %9d\n",
                                    $2, p, $4, $6, $8, $10, $12, $14
                              if ($4 > 100) print "  (compare window: above its goal of 100 ms)"
                              if ($12 > 16) print "  (next difference: above its goal of 16 ms)" }'
  done
}
compare_window_section
