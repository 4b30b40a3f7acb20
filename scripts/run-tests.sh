#!/usr/bin/env bash
# Builds TwainTrace with its tests and runs them normally and with AddressSanitizer and
# UndefinedBehaviorSanitizer, then for the Linux source manager's interface with and without the
# vendor's extensions, then fuzzes the analyzer for a short fixed time
# (FUZZ_SECONDS, default 30). Every test uses paths inside the build tree.
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

# The build for tracing any data source, as the README's Linux steps make it: no vendor
# extensions, TWAIN 2.5 names, the Linux source manager's interface. Tests of the vendor's own
# names and dumps skip themselves there.
generic_build="${build}-generic"
cmake -S . -B "$generic_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTWAINTRACE_ABI=linux-dsm \
  -DTWAINTRACE_VENDOR_EXTENSIONS=OFF >/dev/null
cmake --build "$generic_build" -j"$jobs"
ctest --test-dir "$generic_build" --output-on-failure -j"$jobs"

scripts/run-fuzz.sh "${FUZZ_SECONDS:-30}"
