#!/usr/bin/env bash
# Speed and memory of larkspan-scan against srec_info on generated HEX files.
#   bench/run.sh [RECORDS...]      (default: 1000000 4000000)
# Builds a release build in build-bench/, writes the files to bench/out/ and prints
# one table row per file: best wall time of three runs and peak memory (max RSS).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps srecord time
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-bench -j"$(nproc)" --target larkspan-scan larkspan-genhex >/dev/null
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

printf '%-10s %8s | %12s %10s | %12s %10s | %7s\n' records MB "srec_info s" "RSS MiB" \
  "larkspan s" "RSS MiB" speedup
for n in "${sizes[@]}"; do
  file=bench/out/records-$n.hex
  [ -f "$file" ] || "$bin/larkspan-genhex" "$n" "$file"
  mb=$(( $(stat -c %s "$file") / 1000000 ))
  read -r st sm < <(best_of3 srec_info "$file" -intel)
  read -r lt lm < <(best_of3 "$bin/larkspan-scan" "$file")
  awk -v n="$n" -v mb="$mb" -v st="$st" -v sm="$sm" -v lt="$lt" -v lm="$lm" 'BEGIN {
    lt_floor = (lt < 0.01) ? 0.01 : lt   # /usr/bin/time counts in hundredths
    printf "%-10s %8s | %12.2f %10.1f | %12.2f %10.1f | %6.1fx\n", n, mb, st, sm / 1024, lt,
           lm / 1024, st / lt_floor }'
done
