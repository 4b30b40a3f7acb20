#!/bin/sh
# Installs TwainTrace from this folder: the data source into the TWAIN data source folder and,
# if asked, the sample bundle or the adapter bundle at the implementation bundle's path.
#   sudo sh install.sh [--sample | --adapter DATA_SOURCE] [--root DIR]
# Without --sample or --adapter the scanner maker's own implementation bundle is used as it is.
# A data source or implementation bundle of the same name that is not TwainTrace's is kept
# aside and put back by uninstall.sh. Running it again replaces TwainTrace's own copies.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"

usage() {
  say "usage: ${0##*/} [--sample | --adapter DATA_SOURCE] [--root DIR]" >&2
  exit 2
}
root_arg='' kind='' target=''
while [ $# -gt 0 ]; do
  case $1 in
    --root) [ $# -ge 2 ] || usage; root_arg=$2; shift 2 ;;
    --sample) [ -z "$kind" ] || usage; kind=sample; shift ;;
    --adapter) [ -z "$kind" ] && [ $# -ge 2 ] || usage; kind=adapter; target=$2; shift 2 ;;
    *) usage ;;
  esac
done
set_root "$root_arg"
umask 022

# Everything is checked before anything changes.
source_ds=$here/TwainTrace.ds
[ "$(bundle_id "$source_ds")" = "$data_source_id" ] ||
  die "$source_ds is missing or not TwainTrace's data source: run this script from the release folder"
source_impl=''
if [ -n "$kind" ]; then
  source_impl=$here/$kind/Halvern.bundle
  [ -f "$source_impl/Contents/MacOS/Halvern" ] || die "$source_impl is missing"
fi
if [ "$kind" = adapter ]; then
  case $target in
    /*) ;;
    *) die "--adapter: give the data source to trace by its absolute path" ;;
  esac
  case $target in *'
'*) die "--adapter: the path holds a line break" ;; esac
  [ -e "$root$target" ] || die "--adapter: no such data source: $target"
fi

# A bundle at $1 that is not TwainTrace's (identifiers $2) is kept aside under the name $3;
# prints "keep" when it must be, and fails when another is kept there already.
must_keep() {
  [ -e "$1" ] || [ -L "$1" ] || return 0
  id=$(bundle_id "$1")
  for ours in $2; do [ "$id" = "$ours" ] && return 0; done
  [ ! -e "$kept/$3" ] ||
    die "$1 is not TwainTrace's, and $kept/$3 is kept aside already: move one of them away first"
  say keep
}
keep_ds=$(must_keep "$data_source" "$data_source_id" TwainTrace.ds)
keep_impl=''
[ -z "$kind" ] || keep_impl=$(must_keep "$implementation" "$implementation_ids" Halvern.bundle)

# Copies bundle $1 to $2 beside it first, so that $2 is never half there; $3 says whether what
# stands at $2 now is kept aside (else it is TwainTrace's own and is replaced).
place() {
  new="$(dirname "$2")/.${2##*/}.new"
  rm -rf "$new"
  cp -R "$1" "$new"
  chmod -R u=rwX,go=rX "$new"
  if [ "$3" = keep ]; then
    make_directories "$kept" 0755 >>"$made"
    mv "$2" "$kept/"
    say "kept aside: $2 -> $kept/${2##*/}"
  else
    rm -rf "$2"
  fi
  mv "$new" "$2"
  say "installed: $2"
}

made=$(mktemp "${TMPDIR:-/tmp}/twaintrace-install.XXXXXX")
trap 'rm -f "$made"' EXIT
[ ! -f "$record" ] || sed -n 's/^made //p' "$record" >"$made"
make_directories "$data_sources" 0755 >>"$made"
place "$source_ds" "$data_source" "$keep_ds"
if [ -n "$kind" ]; then
  make_directories "$(dirname "$implementation")" 0755 >>"$made"
  place "$source_impl" "$implementation" "$keep_impl"
  if [ "$kind" = adapter ]; then
    mkdir -p "$implementation/Contents/Resources"
    printf '%s\n' "$target" >"$implementation/Contents/Resources/target"
    say "the adapter traces $target (move it out of the data source folder, so that it is not listed twice)"
  fi
fi

# What uninstall.sh undoes: the directories made here, outermost first, kept across runs.
make_directories "$state" 0755 >>"$made"
{
  say "version $(bundle_version "$data_source")"
  awk '!seen[$0]++ { print "made " $0 }' "$made"
} >"$record"
chmod 0644 "$record"
say "TwainTrace $(bundle_version "$data_source") is installed"
