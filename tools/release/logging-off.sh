#!/bin/sh
# Turns TwainTrace's logging off: removes the log directory, after moving the logs in it to the
# Saved folder beside it (LOG/Saved, 0755), where collect-logs.sh still finds them. An
# application that loaded TwainTrace while logging was on logs until it unloads it.
#   sudo sh logging-off.sh [--root DIR]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"

take_root_only "$@"

if [ ! -d "$log_dir" ] || [ -L "$log_dir" ]; then
  say "logging is off already"
  exit 0
fi
# Only the logs are kept; a name taken in Saved already leaves that log where it is, and the
# directory with it, rather than overwrite one.
for log in "$log_dir"/Twainlog_*.txt; do
  [ -f "$log" ] && [ ! -L "$log" ] || continue
  make_directories "$saved_logs" 0755 >/dev/null
  if [ -e "$saved_logs/${log##*/}" ]; then
    die "$saved_logs/${log##*/} exists already: logging stays on; move one of the two away"
  fi
  mv "$log" "$saved_logs/"
done
rm -rf "$log_dir"
say "logging is off; the logs are in $saved_logs"
