#!/bin/sh
# Removes what install.sh installed: TwainTrace's data source and its sample or adapter bundle
# (a bundle of another maker at those paths is left alone), puts back what install.sh kept
# aside, and removes the directories install.sh made once they are empty. Logs stay.
#   sudo sh uninstall.sh [--root DIR]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"

take_root_only "$@"

problems=0
# Removes the bundle at $1 when it is TwainTrace's (identifiers $2), then puts back the one kept
# aside under the name $3, unless something else stands there now.
remove_and_restore() {
  id=$(bundle_id "$1")
  for ours in $2; do
    if [ "$id" = "$ours" ]; then
      rm -rf "$1"
      say "removed: $1"
    fi
  done
  [ -e "$kept/$3" ] || return 0
  if [ -e "$1" ] || [ -L "$1" ]; then
    say "not restored: $kept/$3, since $1 is there again (not TwainTrace's)" >&2
    problems=$((problems + 1))
    return 0
  fi
  mv "$kept/$3" "$1"
  say "restored: $1"
}
remove_and_restore "$data_source" "$data_source_id" TwainTrace.ds
remove_and_restore "$implementation" "$implementation_ids" Halvern.bundle
[ "$problems" -eq 0 ] || die "what is kept aside in $kept stays there"

made=''
if [ -f "$record" ]; then
  made=$(sed -n 's/^made //p' "$record")
  rm -f "$record"
fi
[ ! -d "$kept" ] || rmdir "$kept" 2>/dev/null || true
# Innermost first; a directory that holds anything else stays.
printf '%s\n' "$made" | awk 'NF { lines[n++] = $0 } END { while (n) print lines[--n] }' |
  while IFS= read -r directory; do
    [ ! -d "$root$directory" ] || rmdir "$root$directory" 2>/dev/null || true
  done
[ ! -d "$state" ] || rmdir "$state" 2>/dev/null || true
say "TwainTrace is uninstalled"
