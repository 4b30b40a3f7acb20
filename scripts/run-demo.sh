#!/usr/bin/env bash
# The main job, on a fresh Debian 12 machine: installs what is missing, builds the data source,
# the sample bundle and the demo host, lays out the demo root inside the build tree (log
# directory and sample bundle at the configured paths), runs a demo TWAIN session through the
# data source and prints its log. Options go to the demo host, for example
#   scripts/run-demo.sh --pages 3 --xfer native --pixel rgb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${BUILD_DIR:-build}
echo "Building in $build ..."
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target twaintrace_demo_root >/dev/null
exec "$build/tools/demo_host/twaintrace-demo" --print-log "$@"
