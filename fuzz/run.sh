#!/usr/bin/env bash
# Builds the scanning core's fuzz target with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) in build-fuzz/ and fuzzes it for SECONDS (default 60),
# seeded with the project's test files. Fails on any finding; the input that
# failed is left in build-fuzz/artifacts/: keep it in fuzz/regressions/.
#   fuzz/run.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
tools/install-deps clang libclang-rt-14-dev
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLARKSPAN_FUZZ=ON -DLARKSPAN_BUILD_UI=OFF -DBUILD_TESTING=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target larkspan-scan-fuzzer >/dev/null
mkdir -p build-fuzz/corpus build-fuzz/artifacts
# Seeds: the listing tests' inputs, the real-world files, the example and every kept
# regression input.
seeds=(tests/data tests/data/realhex examples fuzz/regressions)
build-fuzz/bin/larkspan-scan-fuzzer -max_total_time="$seconds" -max_len=8192 \
  -dict=fuzz/hex.dict -artifact_prefix=build-fuzz/artifacts/ -print_final_stats=1 \
  build-fuzz/corpus "${seeds[@]}" 2>&1 | tee build-fuzz/fuzz.log | grep -E "^(#[0-9]+ +DONE|Done|stat::number_of_executed_units|stat::peak_rss_mb|problem:|==[0-9]+==ERROR)" || true
if grep -qE "ERROR|problem:|deadly signal|Test unit written" build-fuzz/fuzz.log; then
  echo "fuzzing found a problem; see build-fuzz/fuzz.log and build-fuzz/artifacts/" >&2
  exit 1
fi
echo "fuzzing: no findings in ${seconds} s"
