#!/bin/sh
# The Mac release's scripts run into a root inside the build tree: every file they place, change
# and remove is compared with a tree laid out by hand.
#   release_scripts_test.sh SCRIPTS_DIR PLISTS_DIR WORK_DIR
set -eu
umask 022
scripts=$1 plists=$2 work=$3
rm -rf "$work"
mkdir -p "$work"
export TMPDIR="$work/tmp"
mkdir "$TMPDIR"
failures=0
fail() {
  printf 'FAIL: %s\n' "$*" >&2
  failures=$((failures + 1))
}

ds_path='Library/Image Capture/TWAIN Data Sources/TwainTrace.ds'
impl_path='Library/Image Capture/Support/VELIX/Tandra/Core/Halvern.bundle'
state_path='Library/Image Capture/Support/VELIX/Tandra/TwainTrace'
log_path='Users/Shared/VELIX/Tandra/LOG'

# A bundle $1 with the Info.plist $2 and an executable $3 holding the text $4, in the modes a
# build might leave (private ones), which installing makes readable by all.
make_bundle() {
  mkdir -p "$1/Contents/MacOS"
  cp "$2" "$1/Contents/Info.plist"
  printf '%s\n' "$4" >"$1/Contents/MacOS/$3"
  chmod 0600 "$1/Contents/Info.plist"
  chmod 0700 "$1/Contents/MacOS/$3" "$1/Contents/MacOS" "$1/Contents" "$1"
}

# The same bundle as installed: directories 0755, the executable 0755, the rest 0644.
make_installed_bundle() {
  mkdir -p "$1/Contents/MacOS"
  cp "$2" "$1/Contents/Info.plist"
  printf '%s\n' "$4" >"$1/Contents/MacOS/$3"
  chmod 0644 "$1/Contents/Info.plist"
  chmod 0755 "$1/Contents/MacOS/$3" "$1/Contents/MacOS" "$1/Contents" "$1"
}

# A plist like ours, of another maker.
foreign_plist() {
  sed "s/com\.velix\.tandra\.[a-z.]*/$2/" "$plists/TwainTrace.plist" >"$1"
}

# Every path under $1 with its mode and, for a regular file, its checksum; the install record's
# folder is left out (see check_record).
snapshot() {
  (cd "$1" && find . -print | LC_ALL=C sort | while IFS= read -r path; do
    case $path in "./$state_path"/*) continue ;; esac
    sum=-
    [ ! -f "$path" ] || [ -L "$path" ] || sum=$(cksum <"$path" | awk '{ print $1 }')
    printf '%s %s %s\n' "$(ls -ld "$path" | cut -c1-10)" "$sum" "$path"
  done)
}

# Fails the case $1 when the tree $2 is not the tree $3.
same_tree() {
  if ! snapshot "$2" >"$work/actual" || ! snapshot "$3" >"$work/expected" ||
    ! diff "$work/expected" "$work/actual" >"$work/diff"; then
    fail "$1: $(cat "$work/diff")"
  fi
}

# Runs script $1 (with the arguments after it), expecting it to succeed.
run() {
  script=$1
  shift
  sh "$release/$script" "$@" >"$work/output" 2>&1 || fail "$script $*: $(cat "$work/output")"
}

# Runs script $1, expecting it to fail with a message matching $2.
run_failing() {
  script=$1 pattern=$2
  shift 2
  if sh "$release/$script" "$@" >"$work/output" 2>&1; then
    fail "$script $* succeeded"
  elif ! grep -q "$pattern" "$work/output"; then
    fail "$script $*: not '$pattern': $(cat "$work/output")"
  fi
}

check_record() {
  if [ ! -f "$1/$state_path/installed" ] || [ "$(ls -ld "$1/$state_path/installed" | cut -c1-10)" != -rw-r--r-- ]; then
    fail "$2: no install record of mode 0644"
  fi
}

# The release folder, as the release archive holds it.
release=$work/release
mkdir -p "$release"
cp "$scripts"/*.sh "$release/"
make_bundle "$release/TwainTrace.ds" "$plists/TwainTrace.plist" TwainTrace 'data source'
make_bundle "$release/sample/Halvern.bundle" "$plists/sample.plist" Halvern 'sample bundle'
make_bundle "$release/adapter/Halvern.bundle" "$plists/adapter.plist" Halvern 'adapter bundle'

# The directories a Mac has, 0755 as they are there.
new_root() {
  rm -rf "$1"
  mkdir -p "$1/Library/Image Capture" "$1/Users/Shared"
  chmod 0755 "$1" "$1/Library" "$1/Library/Image Capture" "$1/Users"
  chmod 1777 "$1/Users/Shared"
}

# A clean Mac: installed twice over, then uninstalled.
root=$work/clean
new_root "$root"
new_root "$work/clean-before"
new_root "$work/clean-installed"
make_installed_bundle "$work/clean-installed/$ds_path" "$plists/TwainTrace.plist" TwainTrace 'data source'
make_installed_bundle "$work/clean-installed/$impl_path" "$plists/sample.plist" Halvern 'sample bundle'
for dir in "TWAIN Data Sources" Support Support/VELIX Support/VELIX/Tandra Support/VELIX/Tandra/Core \
  Support/VELIX/Tandra/TwainTrace; do
  mkdir -p "$work/clean-installed/Library/Image Capture/$dir"
  chmod 0755 "$work/clean-installed/Library/Image Capture/$dir"
done
run install.sh --sample --root "$root"
same_tree "install --sample on a clean Mac" "$work/clean-installed" "$root"
check_record "$root" "install --sample"
run install.sh --sample --root "$root"
same_tree "install --sample run twice" "$work/clean-installed" "$root"
check_record "$root" "install --sample run twice"
run install.sh --root "$root"
same_tree "install without a bundle choice keeps the sample bundle" "$work/clean-installed" "$root"
run uninstall.sh --root "$root"
same_tree "uninstall after installing twice" "$work/clean-before" "$root"
run uninstall.sh --root "$root"
same_tree "uninstall with nothing installed" "$work/clean-before" "$root"

# A Mac with another data source named TwainTrace.ds and the scanner maker's own implementation
# bundle, in folders its installer made group-writable: both kept aside, put back on uninstall,
# the folders left as they were.
root=$work/taken
new_root "$root"
foreign_plist "$work/other-ds.plist" com.example.other
foreign_plist "$work/vendor.plist" com.velix.tandra.halvern
make_installed_bundle "$root/$ds_path" "$work/other-ds.plist" TwainTrace 'another data source'
make_installed_bundle "$root/$impl_path" "$work/vendor.plist" Halvern 'the vendor bundle'
chmod 0775 "$root/$impl_path/.." "$root/Library/Image Capture/Support"
rm -rf "$work/taken-before"
cp -Rp "$root" "$work/taken-before"
run install.sh --sample --root "$root"
rm -rf "$work/taken-installed"
cp -Rp "$work/clean-installed" "$work/taken-installed"
chmod 0775 "$work/taken-installed/$impl_path/.." "$work/taken-installed/Library/Image Capture/Support"
same_tree "install --sample over another data source and the vendor bundle" "$work/taken-installed" "$root"
kept=$root/$state_path/kept
same_tree "the other data source kept aside" "$work/taken-before/$ds_path" "$kept/TwainTrace.ds"
same_tree "the vendor bundle kept aside" "$work/taken-before/$impl_path" "$kept/Halvern.bundle"
run install.sh --sample --root "$root"
same_tree "install run twice keeps the other data source, not its own copy" \
  "$work/taken-before/$ds_path" "$kept/TwainTrace.ds"
same_tree "install run twice keeps the vendor bundle" "$work/taken-before/$impl_path" "$kept/Halvern.bundle"
run uninstall.sh --root "$root"
same_tree "uninstall puts back the other data source and the vendor bundle" "$work/taken-before" "$root"

# The data source replaced by another after installing, while one is kept aside: installing
# again would lose one of the two, so nothing changes; uninstalling leaves both.
run install.sh --root "$root"
rm -rf "$root/$ds_path"
make_installed_bundle "$root/$ds_path" "$work/other-ds.plist" TwainTrace 'yet another one'
rm -rf "$work/taken-twice"
cp -Rp "$root" "$work/taken-twice"
run_failing install.sh "kept aside already" --root "$root"
same_tree "install with a data source kept aside already" "$work/taken-twice" "$root"
run_failing uninstall.sh "stays there" --root "$root"
same_tree "uninstall with another data source in the way" "$work/taken-twice" "$root"

# Faults before anything changes: the release folder without the data source or the bundle
# asked for, the adapter's target missing, unknown arguments.
root=$work/faults
new_root "$root"
mv "$release/TwainTrace.ds" "$work/moved.ds"
run_failing install.sh "TwainTrace.ds is missing" --root "$root"
mv "$work/moved.ds" "$release/TwainTrace.ds"
mv "$release/sample" "$work/moved-sample"
run_failing install.sh "Halvern.bundle is missing" --sample --root "$root"
mv "$work/moved-sample" "$release/sample"
run_failing install.sh "no such data source" --adapter /Library/Other.ds --root "$root"
run_failing install.sh "absolute path" --adapter Other.ds --root "$root"
run_failing install.sh "usage" --sample --adapter /x --root "$root"
run_failing install.sh "no such directory" --root "$work/no-such-root"
same_tree "install that failed" "$work/clean-before" "$root"

# The adapter, tracing a data source moved out of the data source folder.
mkdir -p "$root/Library/Other.ds"
run install.sh --adapter /Library/Other.ds --root "$root"
target=$root/$impl_path/Contents/Resources/target
[ "$(cat "$target" 2>/dev/null)" = /Library/Other.ds ] || fail "adapter target file: $(cat "$target")"
[ "$(ls -ld "$target" | cut -c1-10)" = -rw-r--r-- ] || fail "adapter target file mode"
run uninstall.sh --root "$root"
[ ! -e "$root/$impl_path" ] || fail "uninstall left the adapter bundle"

# Logging on, logs written (and a link and a folder under a log's name), collected, logging off.
root=$work/logs
new_root "$root"
new_root "$work/logs-on"
for dir in VELIX VELIX/Tandra VELIX/Tandra/LOG VELIX/Tandra/LOG/TWAIN; do
  mkdir "$work/logs-on/Users/Shared/$dir"
  chmod 0755 "$work/logs-on/Users/Shared/$dir"
done
chmod 1777 "$work/logs-on/$log_path/TWAIN"
run logging-on.sh --root "$root"
same_tree "logging on" "$work/logs-on" "$root"
run logging-on.sh --root "$root"
same_tree "logging on twice" "$work/logs-on" "$root"
printf 'first log\n' >"$root/$log_path/TWAIN/Twainlog_20261207_101500_0001.txt"
printf 'second log\n' >"$root/$log_path/TWAIN/Twainlog_20261207_101600_0999.txt"
printf 'secret\n' >"$work/secret"
ln -s "$work/secret" "$root/$log_path/TWAIN/Twainlog_20261207_101700_0000.txt"
mkdir "$root/$log_path/TWAIN/Twainlog_20261207_101800_0000.txt"
run collect-logs.sh --output "$work/on.tar.gz" --root "$root"
mkdir "$work/on"
tar -C "$work/on" -xzf "$work/on.tar.gz"
collected=$(cd "$work/on" && find . -type f | LC_ALL=C sort | sed 's|^\./TwainTrace-logs-[0-9_]*/||' | tr '\n' ' ')
[ "$collected" = "about.txt logs/Twainlog_20261207_101500_0001.txt logs/Twainlog_20261207_101600_0999.txt " ] ||
  fail "collected while logging: $collected"
[ "$(cat "$work"/on/*/logs/Twainlog_20261207_101600_0999.txt)" = 'second log' ] || fail "collected log's content"
grep -q '^logging: on' "$work"/on/*/about.txt || fail "about.txt does not say logging is on"
grep -q '^logs: 2$' "$work"/on/*/about.txt || fail "about.txt does not count 2 logs"
run_failing collect-logs.sh "exists already" --output "$work/on.tar.gz" --root "$root"

run logging-off.sh --root "$root"
new_root "$work/logs-off"
for dir in VELIX VELIX/Tandra VELIX/Tandra/LOG VELIX/Tandra/LOG/Saved; do
  mkdir "$work/logs-off/Users/Shared/$dir"
  chmod 0755 "$work/logs-off/Users/Shared/$dir"
done
printf 'first log\n' >"$work/logs-off/$log_path/Saved/Twainlog_20261207_101500_0001.txt"
printf 'second log\n' >"$work/logs-off/$log_path/Saved/Twainlog_20261207_101600_0999.txt"
chmod 0644 "$work/logs-off/$log_path/Saved"/*
same_tree "logging off" "$work/logs-off" "$root"
[ "$(cat "$work/secret")" = secret ] || fail "logging off changed the file a link pointed to"
run logging-off.sh --root "$root"
same_tree "logging off twice" "$work/logs-off" "$root"
run collect-logs.sh --output "$work/off.tar.gz" --root "$root"
mkdir "$work/off"
tar -C "$work/off" -xzf "$work/off.tar.gz"
collected=$(cd "$work/off" && find . -type f | LC_ALL=C sort | sed 's|^\./TwainTrace-logs-[0-9_]*/||' | tr '\n' ' ')
[ "$collected" = "about.txt saved/Twainlog_20261207_101500_0001.txt saved/Twainlog_20261207_101600_0999.txt " ] ||
  fail "collected after logging off: $collected"
grep -q '^logging: off' "$work"/off/*/about.txt || fail "about.txt does not say logging is off"

if [ "$failures" -ne 0 ]; then
  printf '%s check(s) failed\n' "$failures" >&2
  exit 1
fi
printf 'release scripts: all checks passed\n'
