# Shared by the TwainTrace release scripts (plain POSIX sh, read with `.`): the fixed paths on
# the Mac, under a root prefix that is empty on a Mac and a scratch tree in the test suite.

data_source_id=com.velix.tandra.twaintrace
# The identifiers of the bundles this release installs at the implementation bundle's path.
implementation_ids="com.velix.tandra.halvern.sample com.velix.tandra.halvern.adapter"

say() { printf '%s\n' "$*"; }
die() {
  printf '%s: %s\n' "${0##*/}" "$*" >&2
  exit 1
}

# Sets the paths under the root prefix $1 (the value of --root; empty on a Mac).
set_root() {
  root=$1
  case $root in
    '' | /*) ;;
    *) root=$(cd "$root" 2>/dev/null && pwd) || die "--root: no such directory: $1" ;;
  esac
  [ -z "$root" ] || [ -d "$root" ] || die "--root: no such directory: $root"
  root=${root%/}
  data_sources="$root/Library/Image Capture/TWAIN Data Sources"
  data_source="$data_sources/TwainTrace.ds"
  implementation="$root/Library/Image Capture/Support/VELIX/Tandra/Core/Halvern.bundle"
  state="$root/Library/Image Capture/Support/VELIX/Tandra/TwainTrace"
  kept="$state/kept"
  record="$state/installed"
  log_parent="$root/Users/Shared/VELIX/Tandra/LOG"
  log_dir="$log_parent/TWAIN"
  saved_logs="$log_parent/Saved"
}

# The arguments of a script that takes nothing but --root DIR.
take_root_only() {
  root_arg=''
  while [ $# -gt 0 ]; do
    case $1 in
      --root) [ $# -ge 2 ] || { say "usage: ${0##*/} [--root DIR]" >&2; exit 2; }; root_arg=$2; shift 2 ;;
      *) say "usage: ${0##*/} [--root DIR]" >&2; exit 2 ;;
    esac
  done
  set_root "$root_arg"
}

# The CFBundleIdentifier of a bundle's XML Info.plist; empty when it has none readable.
bundle_id() {
  [ -f "$1/Contents/Info.plist" ] || return 0
  sed -n '/<key>CFBundleIdentifier<\/key>/{n;p;}' "$1/Contents/Info.plist" |
    sed -n 's/.*<string>\(.*\)<\/string>.*/\1/p' | head -n 1
}

# The CFBundleShortVersionString of a bundle's XML Info.plist.
bundle_version() {
  [ -f "$1/Contents/Info.plist" ] || return 0
  sed -n '/<key>CFBundleShortVersionString<\/key>/{n;p;}' "$1/Contents/Info.plist" |
    sed -n 's/.*<string>\(.*\)<\/string>.*/\1/p' | head -n 1
}

# Makes each missing directory of the absolute path $1 (under the root) with mode $2, and
# prints each one it made, outermost first.
make_directories() {
  # sh has no local variables: these names are this function's own.
  md_mode=$2 md_path=$root md_rest=${1#"$root"}
  while [ -n "$md_rest" ]; do
    md_rest=${md_rest#/}
    md_part=${md_rest%%/*}
    md_rest=${md_rest#"$md_part"}
    md_path=$md_path/$md_part
    [ -n "$md_part" ] || continue
    if [ ! -d "$md_path" ]; then
      [ ! -e "$md_path" ] && [ ! -L "$md_path" ] || die "$md_path is in the way (not a directory)"
      mkdir "$md_path" && chmod "$md_mode" "$md_path" || die "cannot make $md_path"
      printf '%s\n' "${md_path#"$root"}"
    fi
  done
}
