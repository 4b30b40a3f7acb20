#!/usr/bin/env bash
# Runs the demo session with a memory and with a native transfer and reports every log it wrote,
# one by one and all at once.
# The report has to read all of each log, and the sessions have to show both transfers and a
# refused capability set.
# usage: demo_logs_test.sh REPORT_TOOL DEMO_HOST WORK_DIR LOG_SEARCH_ROOT
set -euo pipefail
report=$1
host=$2
work=$3
root=$4

rm -rf "$work"
mkdir -p "$work"
stamp="$work/started"
touch "$stamp"
for run in "--xfer memory --pages 2" "--xfer native --pages 1"; do
  # shellcheck disable=SC2086
  if ! (cd "$work" && "$host" $run) >>"$work/demo.out" 2>&1; then
    echo "the demo host failed ($run):"; cat "$work/demo.out"; exit 1
  fi
done

mapfile -t logs < <(find "$root" -name 'Twainlog_*.txt' -newer "$stamp" | sort)
if [ ${#logs[@]} -eq 0 ]; then
  echo "the demo wrote no Twainlog_*.txt under $root"; exit 1
fi

status=0
for log in "${logs[@]}"; do
  name=$(basename "$log" .txt)
  "$report" --html "$work/$name.html" "$log" >"$work/$name.report"
  for expected in '^  Loaded: +[0-9]{4}-' '^  Unrecognized lines: +0$' '^  Log end: +complete$'; do
    if ! grep -Eq "$expected" "$work/$name.report"; then
      echo "$log: the report lacks /$expected/"; status=1
    fi
  done
done
cat "$work"/*.report
# All of them at once: an index row and a full report for each session.
"$report" --html "$work/all.html" "${logs[@]}" >"$work/all.out"
if [ ${#logs[@]} -gt 1 ]; then
  rows=$(grep -Ec '^ +[0-9]+  Twainlog_.*  session  +yes$' "$work/all.out" || true)
  reports=$(grep -c '^=== Log [0-9]* of ' "$work/all.out" || true)
  if [ "$rows" != ${#logs[@]} ] || [ "$reports" != ${#logs[@]} ]; then
    echo "the index of ${#logs[@]} logs shows $rows sound sessions and $reports reports:"
    cat "$work/all.out"; status=1
  fi
fi
for expected in '^    transfer:  memory, [1-9]' '^    transfer:  native' '^    set: +#[0-9]+ TWRC_FAILURE'; do
  if ! grep -Eq "$expected" "$work"/*.report; then
    echo "no report of the demo session shows /$expected/"; status=1
  fi
done
exit $status
