#!/usr/bin/env bash
# Builds TwainTrace with its tests and runs them normally and with AddressSanitizer and
# UndefinedBehaviorSanitizer, each for the natural binary interface and for the Linux source
# manager's, then fuzzes the analyzer for a short fixed time on each interface (FUZZ_SECONDS in
# all, default 30, split between them), and last cross-builds the macOS bundles and checks
# them. Every test uses paths inside the build tree.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)

build=${BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$jobs"
ctest --test-dir "$build" --output-on-failure -j"$jobs"

sanitized=${SANITIZE_BUILD_DIR:-build-sanitize}
cmake -S . -B "$sanitized" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTWAINTRACE_SANITIZE=ON >/dev/null
cmake --build "$sanitized" -j"$jobs"
ctest --test-dir "$sanitized" --output-on-failure -j"$jobs"

# The same suite built for the Linux TWAIN source manager's binary interface, normally and
# sanitized: its 2-byte packing leaves 32-bit fields misaligned, which only the sanitizers see.
dsm_build="${build}-linux-dsm"
cmake -S . -B "$dsm_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTWAINTRACE_ABI=linux-dsm >/dev/null
cmake --build "$dsm_build" -j"$jobs"
ctest --test-dir "$dsm_build" --output-on-failure -j"$jobs"

dsm_sanitized="${sanitized}-linux-dsm"
cmake -S . -B "$dsm_sanitized" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTWAINTRACE_SANITIZE=ON \
  -DTWAINTRACE_ABI=linux-dsm >/dev/null
cmake --build "$dsm_sanitized" -j"$jobs"
ctest --test-dir "$dsm_sanitized" --output-on-failure -j"$jobs"

# Further configurations (other build options) are built and tested here, before the fuzzing.

# libFuzzer takes 0 seconds as no limit at all: each run gets at least one.
fuzz_seconds=${FUZZ_SECONDS:-30}
dsm_fuzz_seconds=$((fuzz_seconds / 2 > 0 ? fuzz_seconds / 2 : 1))
scripts/run-fuzz.sh $((fuzz_seconds - fuzz_seconds / 2)) natural
scripts/run-fuzz.sh "$dsm_fuzz_seconds" linux-dsm

# The macOS bundles, cross-built for arm64 and x86_64 and checked symbol by symbol; the data
# source's exports against those of the Linux build above.
LINUX_DATA_SOURCE="$build/TwainTrace.ds" scripts/check-macos-build.sh
