#!/usr/bin/env bash
# Builds TwainTrace with its tests and runs them. Every test uses paths inside the build tree.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"

# The same suite built for the Linux TWAIN source manager's binary interface.
dsm_build="${build}-linux-dsm"
cmake -S . -B "$dsm_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTWAINTRACE_ABI=linux-dsm >/dev/null
cmake --build "$dsm_build" -j"$(nproc)"
ctest --test-dir "$dsm_build" --output-on-failure -j"$(nproc)"
