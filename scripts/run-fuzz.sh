#!/usr/bin/env bash
# Builds the analyzer's libFuzzer harness with clang (address and undefined-behaviour
# sanitizers on) and runs it for a fixed time: scripts/run-fuzz.sh [seconds, default 30]
# [build: natural (default), linux-dsm, or generic: the Linux interface without the vendor's
# extensions; or log-reader: the tools' log reader and report, seeded with the test suite's logs].
# The seed corpus in fuzz/corpus is only read; what a run discovers is kept in the build tree
# for the next run, and a failing input is written there as crash-* (or leak-*, timeout-*).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
kind=${2:-natural}
abi=$kind
vendor=ON
target=analyzer_fuzzer
corpus=(fuzz/corpus)
if [ "$kind" = log-reader ]; then
  abi=natural
  target=log_reader_fuzzer
  corpus=(tests/tools/report/fixtures tests/tools/report/expected)
elif [ "$kind" = generic ]; then
  abi=linux-dsm
  vendor=OFF
fi
default_build=build-fuzz
[ "$kind" = natural ] || [ "$kind" = log-reader ] || default_build="build-fuzz-$kind"
build=${FUZZ_BUILD_DIR:-$default_build}
# libFuzzer's documented flags: -O1 and line tables.
generator=()
[ -f "$build/CMakeCache.txt" ] || ! command -v ninja >/dev/null || generator=(-G Ninja)
cmake -S . -B "$build" "${generator[@]}" -DCMAKE_CXX_COMPILER=clang++ -DTWAINTRACE_FUZZ=ON \
  -DTWAINTRACE_ABI="$abi" -DTWAINTRACE_VENDOR_EXTENSIONS="$vendor" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" >/dev/null
cmake --build "$build" -j"$(nproc)" --target "$target"
mkdir -p "$build/fuzz/discovered"
log="$build/fuzz/last-run.log"
status=0
"$build/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix="$build/fuzz/" "$build/fuzz/discovered" "${corpus[@]}" >"$log" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
  tail -n 80 "$log"
  echo "fuzzer failed (exit $status); the input is kept in $build/fuzz/" >&2
  exit "$status"
fi
grep -E 'INITED|DONE|stat::' "$log"
