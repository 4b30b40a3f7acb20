#!/usr/bin/env bash
# Builds TwainTrace and its benchmarks in Release and runs them. Extra arguments go to the
# benchmark, for example --benchmark_filter=Logged or --benchmark_repetitions=1.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${BUILD_DIR:-build-release}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTWAINTRACE_BUILD_BENCHMARKS=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target twaintrace_bench
"$build/bench/twaintrace_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  "$@"
