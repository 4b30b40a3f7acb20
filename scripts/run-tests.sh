#!/usr/bin/env bash
# Builds TwainTrace with its tests and runs them twice, normally and with AddressSanitizer and
# UndefinedBehaviorSanitizer, then fuzzes the analyzer for a short fixed time
# (FUZZ_SECONDS, default 30), and last cross-builds the macOS bundles and checks them. Every
# test uses paths inside the build tree.
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

# The same suite built for the Linux TWAIN source manager's binary interface.
dsm_build="${build}-linux-dsm"
cmake -S . -B "$dsm_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTWAINTRACE_ABI=linux-dsm >/dev/null
cmake --build "$dsm_build" -j"$jobs"
ctest --test-dir "$dsm_build" --output-on-failure -j"$jobs"

scripts/run-fuzz.sh "${FUZZ_SECONDS:-30}"

# The macOS bundles, cross-built for arm64 and x86_64 and checked symbol by symbol; the data
# source's exports against those of the Linux build above.
LINUX_DATA_SOURCE="$build/TwainTrace.ds" scripts/check-macos-build.sh
