#!/usr/bin/env bash
# How the log tools hold up on a big customer log: builds a Release tree of its own, has the demo
# host write a log of BIG_LOG_MB megabytes (many whole sessions in one load of the data source,
# so one log file) and times, side by side in one run, `grep -c` of one fixed string over the
# cached file, the text report, the HTML report and the replay, with their peak resident memory,
# the page's size and, where headless Chromium is installed, how long it takes to show the page.
# Logs already made with the same DEMO_ARGS are reused; delete $BUILD_DIR/big-logs to make them
# again.
#
# Environment:
#   BIG_LOG_MB=1024      size of the log the reports read
#   REPLAY_LOG_MB=100    size of the log the replay plays (made the same way; the replay calls the
#                        data source for every entry, so a smaller log keeps the run short)
#   RUNS=3               runs of grep and of each report; the table shows the median
#   REPLAY_RUNS=1        runs of the replay
#   DEMO_ARGS="..."      the demo session that is repeated (default below)
#   WITH_BROWSER=1       install Debian's chromium when it is missing (otherwise the browser
#                        row is left out when /usr/bin/chromium is not there)
#   BROWSER_TIMEOUT=300  seconds after which the browser's screenshot counts as not shown
#   BUILD_DIR=build-bench-logs
set -euo pipefail
cd "$(dirname "$0")/.."

big_mb=${BIG_LOG_MB:-1024}
replay_mb=${REPLAY_LOG_MB:-100}
runs=${RUNS:-3}
replay_runs=${REPLAY_RUNS:-1}
demo_args=${DEMO_ARGS:---pages 4 --xfer memory --pixel rgb --dpi 75}
browser_timeout=${BROWSER_TIMEOUT:-300}
build=${BUILD_DIR:-build-bench-logs}
chromium=/usr/bin/chromium
grep_string="Return Code"

die() {
  echo "bench-big-logs: $*" >&2
  exit 1
}
say() { echo "== $*" >&2; }

for value in "$big_mb" "$replay_mb" "$runs" "$replay_runs" "$browser_timeout"; do
  [[ "$value" =~ ^[1-9][0-9]*$ ]] || die "sizes, run counts and time-outs are whole numbers above 0, not '$value'"
done

scripts/install-deps.sh
if [ "${WITH_BROWSER:-0}" = 1 ] && [ ! -x "$chromium" ]; then
  say "installing chromium (WITH_BROWSER=1)"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq chromium >/dev/null
fi
[ -x /usr/bin/time ] || die "GNU time (/usr/bin/time) is missing: scripts/install-deps.sh installs it"

say "building Release in $build"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target twaintrace_demo_root twaintrace-report \
  twaintrace-replay >/dev/null
demo="$build/tools/demo_host/twaintrace-demo"
report="$build/tools/report/twaintrace-report"
replay="$build/tools/replay/twaintrace-replay"
sample="$build/tools/sample_bundle/Halvern.bundle/Contents/MacOS/Halvern"
logs="$build/big-logs"
out="$build/big-logs/out"
mkdir -p "$logs" "$out"

# Runs the demo host with the given extra arguments and moves the log it wrote into folder $1,
# keeping the log's own name (the report reads the load time from it).
demo_log_into() {
  local folder=$1
  shift
  local transcript="$logs/demo-output.txt" status=0
  # shellcheck disable=SC2086  # DEMO_ARGS is a list of options
  "$demo" $demo_args "$@" >"$transcript" 2>&1 || status=$?
  local output
  output=$(grep -E '^(Log file|Summary):' "$transcript" || true)
  [ "$status" -eq 0 ] || die "the demo host failed (exit $status, options: $demo_args $*): $(tail -n 3 "$transcript")"
  local file
  file=$(sed -n 's/^Log file: //p' <<<"$output")
  [ -f "$file" ] || die "the demo host wrote no log: $output"
  rm -rf "$folder.part"
  mkdir -p "$folder.part"
  mv "$file" "$folder.part/"
  echo "$demo_args" >"$folder.part/demo-args"
  rm -rf "$folder"
  mv "$folder.part" "$folder"
}

# True when folder $1 holds a log made with the current DEMO_ARGS.
made_alike() { [ -f "$1/demo-args" ] && [ "$(cat "$1/demo-args")" = "$demo_args" ]; }

# The one log in folder $1.
log_in() {
  local files=("$1"/Twainlog_*.txt)
  [ -f "${files[0]}" ] || die "no log in $1"
  echo "${files[0]}"
}

file_bytes() { stat -c %s "$1"; }

# A log of at least $1 MB in folder $logs/<size>MB, made once: as many sessions as one
# session's log (measured first) needs to reach the size.
make_log() {
  local mb=$1 folder="$logs/${1}MB"
  if made_alike "$folder"; then
    log_in "$folder"
    return
  fi
  if ! made_alike "$logs/one-session"; then
    demo_log_into "$logs/one-session"
  fi
  local per_session sessions
  per_session=$(file_bytes "$(log_in "$logs/one-session")")
  sessions=$(((mb * 1048576 + per_session - 1) / per_session))
  say "making a log of ${mb} MB: $sessions sessions of $per_session bytes ($demo_args)"
  demo_log_into "$folder" --sessions "$sessions"
  log_in "$folder"
}

# The demo's own page: the report of one default demo session.
if ! demo_args="" made_alike "$logs/demo"; then
  demo_args="" demo_log_into "$logs/demo"
fi
demo_log=$(log_in "$logs/demo")
big_log=$(make_log "$big_mb")
replay_log=$(make_log "$replay_mb")
big_bytes=$(file_bytes "$big_log")
say "big log: $big_log ($big_bytes bytes)"
say "replay log: $replay_log ($(file_bytes "$replay_log") bytes)"

# Timing: each run writes "seconds kilobytes status" (the last line GNU time writes).
timed_run() {
  local record=$1
  shift
  /usr/bin/time -f '%e %M %x' -o "$record" "$@" >/dev/null 2>"$record.err" || true
  local seconds kilobytes status signal
  read -r seconds kilobytes status <<<"$(tail -n 1 "$record")"
  # A command that a signal ended is one that crashed or ran out of memory.
  signal=$(sed -n 's/^Command terminated by signal \([0-9]*\).*/\1/p' "$record")
  [ -n "$signal" ] && status=$((128 + signal))
  echo "$seconds $kilobytes $status"
}

# Runs the command $2 times and prints "median-seconds peak-kilobytes worst-status".
measure() {
  local name=$1 count=$2
  shift 2
  local times=() peak=0 worst=0 i
  for ((i = 1; i <= count; i++)); do
    local seconds kilobytes status
    read -r seconds kilobytes status <<<"$(timed_run "$out/$name.time" "$@")"
    times+=("$seconds")
    ((kilobytes > peak)) && peak=$kilobytes
    ((status > worst)) && worst=$status
  done
  local median
  median=$(printf '%s\n' "${times[@]}" | sort -g | sed -n "$(((count + 1) / 2))p")
  echo "$median $peak $worst"
}

say "warming the page cache"
cat "$big_log" "$replay_log" >/dev/null

say "grep -c \"$grep_string\" ($runs runs)"
result=$(measure grep "$runs" grep -c -F "$grep_string" "$big_log")
read -r grep_s grep_kb grep_status <<<"$result"
[ "$grep_status" -le 1 ] || die "grep failed: $(cat "$out/grep.time.err")"
entries=$(grep -c -F "$grep_string" "$big_log" || true)

say "twaintrace-report, text ($runs runs)"
result=$(measure text "$runs" "$report" "$big_log")
read -r text_s text_kb text_status <<<"$result"
say "twaintrace-report --html ($runs runs)"
page="$out/big.html"
rm -f "$page"
result=$(measure html "$runs" "$report" --html "$page" "$big_log")
read -r html_s html_kb html_status <<<"$result"
page_bytes=$([ -f "$page" ] && file_bytes "$page" || echo 0)
say "twaintrace-replay --quiet ($replay_runs runs)"
result=$(measure replay "$replay_runs" \
  "$replay" --quiet "$replay_log" "$sample")
read -r replay_s replay_kb replay_status <<<"$result"

# Screenshot times of the big page and of the demo's page, "-" where there is no browser.
screenshot() {
  local page=$1 name=$2 profile
  profile=$(mktemp -d)
  local start end status=0
  start=$(date +%s.%N)
  timeout "$browser_timeout" "$chromium" --headless --no-sandbox --disable-gpu --disable-quic \
    --no-first-run --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$profile" --screenshot="$out/$name.png" --window-size=1280,2000 \
    "file://$(realpath "$page")" >/dev/null 2>"$out/$name.browser.err" || status=$?
  end=$(date +%s.%N)
  rm -rf "$profile"
  if [ "$status" -eq 124 ]; then
    echo "over ${browser_timeout} s"
  elif [ "$status" -ne 0 ] || [ ! -s "$out/$name.png" ]; then
    echo "failed (exit $status)"
  else
    awk -v s="$start" -v e="$end" 'BEGIN { printf "%.1f s", e - s }'
  fi
}
browser_big="-"
browser_demo="-"
if [ -x "$chromium" ]; then
  "$report" --html "$out/demo.html" "$demo_log" >/dev/null || die "no page of the demo's log"
  if [ -f "$page" ]; then
    say "headless chromium: the big page"
    rm -f "$out/big.png"
    browser_big=$(screenshot "$page" big)
  fi
  say "headless chromium: the demo's page"
  rm -f "$out/demo.png"
  browser_demo=$(screenshot "$out/demo.html" demo)
fi

# Formatting.
mb() { awk -v b="$1" 'BEGIN { printf "%.1f MB", b / 1048576 }'; }
kb_mb() { awk -v k="$1" 'BEGIN { printf "%.0f MB", k / 1024 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.1fx", a / b; else print "-" }'; }
verdict() { awk -v v="$1" -v t="$2" 'BEGIN { print (v <= t ? "met" : "missed") }'; }
status_note() {
  if [ "$1" -gt 128 ]; then
    echo " (ended by signal $(($1 - 128)))"
  elif [ "$1" -ne 0 ]; then
    echo " (exit $1)"
  fi
}

text_ratio=$(awk -v a="$text_s" -v b="$grep_s" 'BEGIN { print (b > 0 ? a / b : 0) }')
html_ratio=$(awk -v a="$html_s" -v b="$grep_s" 'BEGIN { print (b > 0 ? a / b : 0) }')
rss_target_kb=$((64 * 1024))
page_target=$((5 * 1048576))

echo
echo "Big logs: $(mb "$big_bytes") log ($entries entries with \"$grep_string\"; demo options:" \
  "$demo_args), median of $runs runs, $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "| | measured | against grep -c | target | |"
echo "|---|---|---|---|---|"
echo "| \`grep -c \"$grep_string\"\` | $grep_s s, $(kb_mb "$grep_kb") | 1x | | |"
echo "| \`twaintrace-report\` (text) | $text_s s$(status_note "$text_status") | $(ratio "$text_s" "$grep_s") | at most 5x grep | $(verdict "$text_ratio" 5) |"
echo "| its peak resident memory | $(kb_mb "$text_kb") | | at most 64 MB | $(verdict "$text_kb" "$rss_target_kb") |"
echo "| \`twaintrace-report --html\` | $html_s s$(status_note "$html_status") | $(ratio "$html_s" "$grep_s") | at most 5x grep | $(verdict "$html_ratio" 5) |"
echo "| its peak resident memory | $(kb_mb "$html_kb") | | at most 64 MB | $(verdict "$html_kb" "$rss_target_kb") |"
echo "| the HTML page | $(mb "$page_bytes") | | at most 5 MB | $(verdict "$page_bytes" "$page_target") |"
echo "| \`twaintrace-replay --quiet\`, sample bundle, log of $(mb "$(file_bytes "$replay_log")") | $replay_s s$(status_note "$replay_status") | | | |"
echo "| its peak resident memory | $(kb_mb "$replay_kb") | | at most 64 MB | $(verdict "$replay_kb" "$rss_target_kb") |"
if [ -x "$chromium" ]; then
  echo "| headless Chromium screenshot, the page | $browser_big | | about the demo page's | |"
  echo "| headless Chromium screenshot, the demo's page | $browser_demo | | | |"
else
  echo "| headless Chromium | not installed ($chromium); WITH_BROWSER=1 installs it | | | |"
fi
echo
echo "Logs in $logs, outputs and each run's standard error in $out."
