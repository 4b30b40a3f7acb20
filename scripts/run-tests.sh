#!/usr/bin/env bash
# Builds TwainTrace with its tests and runs them normally and with AddressSanitizer and
# UndefinedBehaviorSanitizer, each for the natural binary interface and for the Linux source
# manager's, then for the Linux interface without the vendor's extensions, sanitized; then fuzzes the
# analyzer for a short fixed time on each of the three (FUZZ_SECONDS in all, default 30, split
# between them), and last cross-builds the macOS bundles and checks them. Every test uses
# paths inside the build tree.
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

# The build for tracing any data source, as the README's Linux steps make it (no vendor
# extensions, TWAIN 2.5 names, the Linux source manager's interface), sanitized. Tests of the
# vendor's own names and dumps skip themselves there.
generic_build="${sanitized}-generic"
cmake -S . -B "$generic_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTWAINTRACE_SANITIZE=ON \
  -DTWAINTRACE_ABI=linux-dsm -DTWAINTRACE_VENDOR_EXTENSIONS=OFF >/dev/null
cmake --build "$generic_build" -j"$jobs"
ctest --test-dir "$generic_build" --output-on-failure -j"$jobs"

# A third of the fuzzing time for each build; libFuzzer takes 0 seconds as no limit at all, so
# each run gets at least one.
fuzz_seconds=${FUZZ_SECONDS:-30}
each_fuzz_seconds=$((fuzz_seconds / 3 > 0 ? fuzz_seconds / 3 : 1))
for kind in natural linux-dsm generic; do
  scripts/run-fuzz.sh "$each_fuzz_seconds" "$kind"
done
scripts/run-fuzz.sh "$each_fuzz_seconds" log-reader

# The macOS bundles, cross-built for arm64 and x86_64 and checked symbol by symbol; the data
# source's exports against those of the Linux build above.
LINUX_DATA_SOURCE="$build/TwainTrace.ds" scripts/check-macos-build.sh
