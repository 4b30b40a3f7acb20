#!/bin/sh
# Collects TwainTrace's logs (those of the log directory and those logging-off.sh saved) into one
# archive for support, with a note of the system and what is installed. Only regular files
# named as the data source names its logs are taken; links and anything else are left out.
#   sh collect-logs.sh [--output FILE.tar.gz] [--root DIR]
# The archive is TwainTrace-logs-YYYYMMDD_HHMMSS.tar.gz in the current directory by default.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"

usage() {
  say "usage: ${0##*/} [--output FILE.tar.gz] [--root DIR]" >&2
  exit 2
}
root_arg='' stamp=$(date +%Y%m%d_%H%M%S)
output=$PWD/TwainTrace-logs-$stamp.tar.gz
while [ $# -gt 0 ]; do
  case $1 in
    --root) [ $# -ge 2 ] || usage; root_arg=$2; shift 2 ;;
    --output) [ $# -ge 2 ] || usage; output=$2; shift 2 ;;
    *) usage ;;
  esac
done
set_root "$root_arg"
[ ! -e "$output" ] || die "$output exists already"

work=$(mktemp -d "${TMPDIR:-/tmp}/twaintrace-logs.XXXXXX")
trap 'rm -rf "$work"' EXIT
name=TwainTrace-logs-$stamp
mkdir "$work/$name" "$work/$name/logs" "$work/$name/saved"

count=0
# Copies the logs of directory $1 into $2 of the archive.
take_logs() {
  [ -d "$1" ] && [ ! -L "$1" ] || return 0
  for log in "$1"/Twainlog_*.txt; do
    [ -f "$log" ] && [ ! -L "$log" ] || continue
    cp "$log" "$work/$name/$2/" && count=$((count + 1))
  done
}
take_logs "$log_dir" logs
take_logs "$saved_logs" saved

{
  say "TwainTrace logs collected $(date '+%Y-%m-%d %H:%M:%S %z')"
  say "system: $(uname -srm)"
  if command -v sw_vers >/dev/null 2>&1; then sw_vers | sed 's/^/  /'; fi
  if [ -d "$log_dir" ]; then say "logging: on ($log_dir)"; else say "logging: off"; fi
  say "data source: $(bundle_id "$data_source") $(bundle_version "$data_source")"
  say "implementation bundle: $(bundle_id "$implementation") $(bundle_version "$implementation")"
  if [ -f "$implementation/Contents/Resources/target" ]; then
    say "adapter target: $(head -n 1 "$implementation/Contents/Resources/target")"
  fi
  say "logs: $count"
} >"$work/$name/about.txt"

tar -C "$work" -czf "$output" "$name"
say "$count log(s) collected in $output"
