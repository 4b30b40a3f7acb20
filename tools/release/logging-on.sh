#!/bin/sh
# Turns TwainTrace's logging on: makes the log directory, which the data source looks for each
# time a TWAIN application loads it. The directory is writable by every user, with the sticky
# bit (mode 1777, as /Users/Shared itself), so that any user's scanning application can log and
# no user can remove another's logs; the folders made above it are 0755.
#   sudo sh logging-on.sh [--root DIR]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"

take_root_only "$@"

make_directories "$log_parent" 0755 >/dev/null
if [ -L "$log_dir" ] || { [ -e "$log_dir" ] && [ ! -d "$log_dir" ]; }; then
  die "$log_dir is in the way (not a directory)"
fi
[ -d "$log_dir" ] || mkdir "$log_dir"
chmod 1777 "$log_dir"
say "logging is on: each TWAIN application that loads TwainTrace from now on logs to $log_dir"
