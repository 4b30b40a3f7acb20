#!/usr/bin/env bash
# Builds TwainTrace with its tests and runs them normally and with AddressSanitizer and
# UndefinedBehaviorSanitizer, each for the natural binary interface and for the Linux source
# manager's, then for the Linux interface without the vendor's extensions, sanitized; then fuzzes the
# analyzer for a short fixed time on each of the three (FUZZ_SECONDS in all, default 30, split
# between them) and the log reader for a third of it, and last cross-builds the macOS bundles,
# makes the Mac release and checks them. Every test uses
# paths inside the build tree.
#
# A configuration's tests mostly wait (on one another's shared test root, on timeouts), so they
# run while the next configuration builds; the slowest of them start first, ordered by the
# times the configuration before measured. At the end a table gives each stage's wall time and
# the processor time it used (user and system, of every process it ran).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
build=${BUILD_DIR:-build}
sanitized=${SANITIZE_BUILD_DIR:-build-sanitize}

timings=$(mktemp -d)
stages=()

# Runs `command...` as the stage `name`, and records its times for the table.
run_stage() {
  stages+=("$1")
  timed_stage "$@"
}
timed_stage() {
  local name=$1
  shift
  local start
  start=$(date +%s.%N)
  (
    "$@"
    # The subshell's children are the stage's processes: their processor time, by the shell
    # itself (in a pipe it would count another process's children).
    times >"$timings/$name.times"
    tail -n 1 "$timings/$name.times" | sed 's/[ms]/ /g' |
      awk -v start="$start" -v end="$(date +%s.%N)" \
        '{ printf "%.0f %.0f\n", end - start, $1 * 60 + $2 + $3 * 60 + $4 }' >"$timings/$name"
  )
}

# The same in the background: wait_for_stages collects it and fails if it failed.
background=()
run_stage_in_background() {
  stages+=("$1")
  timed_stage "$@" &
  background+=($!)
}
wait_for_stages() {
  local pid status=0
  for pid in "${background[@]}"; do wait "$pid" || status=1; done
  background=()
  return "$status"
}

# The table, also after a failure (a stage that did not finish shows "-"); a stage still running
# in the background is waited for first.
started=$(date +%s)
print_stage_times() {
  local status=$? name total_cpu=0 wall cpu
  wait_for_stages || status=1
  printf '\n%-32s %8s %8s\n' stage "wall s" "cpu s"
  for name in "${stages[@]}"; do
    read -r wall cpu 2>/dev/null <"$timings/$name" || { wall=-; cpu=-; }
    printf '%-32s %8s %8s\n' "$name" "$wall" "$cpu"
    [ "$cpu" = - ] || total_cpu=$((total_cpu + cpu))
  done
  # Tests run beside builds, so the stages' wall times add up to more than the run's.
  printf '%-32s %8s %8s\n' "all (wall: the whole run)" "$(($(date +%s) - started))" "$total_cpu"
  rm -rf "$timings"
  [ "$status" -eq 0 ] && echo "all checks passed" || echo "FAILED" >&2
  exit "$status"
}
trap print_stage_times EXIT

# Debug information as line tables only (-g1): the same machine code as -g, and every file and
# line a sanitizer's or a test's report names, in about a fifth less compile time. Sanitized
# builds are optimised at -O1, as the sanitizers' own documentation advises: every check stays,
# and they compile in about two fifths less time than at -O2. Ninja, when there, keeps both
# processors busy across targets.
configure_and_build() {
  local dir=$1 optimisation=$2 generator=()
  shift 2
  # A build directory keeps the generator it was made with.
  [ -f "$dir/CMakeCache.txt" ] || ! command -v ninja >/dev/null || generator=(-G Ninja)
  cmake -S . -B "$dir" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$optimisation -g1 -DNDEBUG" "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
}

# A configuration's tests, slowest first: the times of an earlier configuration's run are taken
# where this one has none of its own. Their output goes to the build's ctest.log and is shown
# if any fails.
run_tests() {
  local dir=$1 costs=Testing/Temporary/CTestCostData.txt
  if [ ! -f "$dir/$costs" ] && [ -f "$build/$costs" ]; then
    mkdir -p "$dir/Testing/Temporary"
    cp "$build/$costs" "$dir/$costs"
  fi
  if ! ctest --test-dir "$dir" --output-on-failure -j"$jobs" >"$dir/ctest.log" 2>&1; then
    cat "$dir/ctest.log"
    echo "tests failed in $dir" >&2
    return 1
  fi
  tail -n 3 "$dir/ctest.log"
}

run_stage deps scripts/install-deps.sh

# name, build directory, optimisation, configuration options, each on one line (read takes one
# line). The Linux source manager's binary interface packs to 2 bytes and leaves 32-bit fields
# misaligned, which only the sanitizers see. The generic build is the one for tracing any data
# source, as the README's Linux steps make it (no vendor extensions, TWAIN 2.5 names); tests of
# the vendor's own names and dumps skip themselves there.
configurations=(
  "normal|$build|-O2|"
  "sanitized|$sanitized|-O1|-DTWAINTRACE_SANITIZE=ON"
  "linux-dsm|${build}-linux-dsm|-O2|-DTWAINTRACE_ABI=linux-dsm"
  "sanitized-linux-dsm|${sanitized}-linux-dsm|-O1|-DTWAINTRACE_SANITIZE=ON -DTWAINTRACE_ABI=linux-dsm"
  "sanitized-generic|${sanitized}-generic|-O1|-DTWAINTRACE_SANITIZE=ON -DTWAINTRACE_ABI=linux-dsm -DTWAINTRACE_VENDOR_EXTENSIONS=OFF"
)
for configuration in "${configurations[@]}"; do
  IFS='|' read -r name dir optimisation options <<<"$configuration"
  # shellcheck disable=SC2086 # the options are words
  run_stage "build $name" configure_and_build "$dir" "$optimisation" $options
  # One configuration's tests at a time, each beside the next build.
  wait_for_stages
  run_stage_in_background "test $name" run_tests "$dir"
done

# A third of the fuzzing time for each build; libFuzzer takes 0 seconds as no limit at all, so
# each run gets at least one.
fuzz_seconds=${FUZZ_SECONDS:-30}
each_fuzz_seconds=$((fuzz_seconds / 3 > 0 ? fuzz_seconds / 3 : 1))
for kind in natural linux-dsm generic; do
  run_stage "fuzz $kind" scripts/run-fuzz.sh "$each_fuzz_seconds" "$kind"
done
run_stage "fuzz log reader" scripts/run-fuzz.sh "$each_fuzz_seconds" log-reader

# The Mac release: the bundles and tools cross-built for arm64 and x86_64, joined into universal
# files and packed with the Mac scripts, all checked symbol by symbol and byte by byte; the data
# source's exports against those of the Linux build above.
run_stage "macOS cross build and check" \
  env LINUX_DATA_SOURCE="$build/TwainTrace.ds" scripts/check-macos-build.sh
