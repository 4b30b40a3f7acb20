#!/usr/bin/env bash
# Makes the Mac release (scripts/make-macos-release.sh: the arm64 and x86_64 cross builds, the
# universal files and the archive) and checks what it made: the data source bundle, the sample
# and adapter bundles, the demo host and the report and replay tools of each architecture, their
# universal files and the archive's contents. Nothing runs on a Mac here; the checks read the
# Mach-O files (llvm-objdump, llvm-nm) and the archive.
# With LINUX_DATA_SOURCE naming a Linux build's TwainTrace.ds, the data source's exports are
# compared with that build's as well.
set -euo pipefail
cd "$(dirname "$0")/.."

root=build-macos
universal=$root/universal
libsystem=/usr/lib/libSystem.B.dylib
core_foundation=/System/Library/Frameworks/CoreFoundation.framework/Versions/A/CoreFoundation
core_services=/System/Library/Frameworks/CoreServices.framework/Versions/A/CoreServices

# The Apple functions the platform layer declares, as "framework function" lines: each function
# declaration of src/platform/macos/apple_services.h after its "// CoreFoundation" or
# "// CoreServices" line. These, and nothing else, may come from the frameworks.
apple_functions=$(awk '
  /^\/\/ CoreFoundation/ { framework = "CoreFoundation" }
  /^\/\/ CoreServices/ { framework = "CoreServices" }
  framework != "" && match($0, /^[A-Za-z][A-Za-z0-9_ *]*[ *][A-Za-z][A-Za-z0-9_]*\(/) {
    declaration = substr($0, 1, RLENGTH - 1)
    sub(/.*[ *]/, "", declaration)
    print framework, declaration
  }' src/platform/macos/apple_services.h)

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
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

# Every symbol the file takes from outside comes from libSystem, or is one of the Apple functions
# taken from its framework.
check_undefined() {
  local file=$1 line name framework
  while IFS= read -r line; do
    name=$(awk '{print $3}' <<<"$line")
    name=${name#_}
    case $line in
      *"(from libSystem)") ;;
      *"(from CoreFoundation)" | *"(from CoreServices)")
        framework=${line##*(from }
        framework=${framework%)}
        grep -qx "$framework $name" <<<"$apple_functions" ||
          fail "$file: $name taken from $framework is not one of its Apple functions" ;;
      *) fail "$file: unexpected undefined symbol: $line" ;;
    esac
  done < <(llvm-nm -m -u "$file")
}

# Two-level namespace: the header says so, the file loads libSystem and both frameworks by their
# install names and no other library, and binds each symbol to the library that has it (an
# Apple function to its framework), none through the flat namespace.
check_linkage() {
  local file=$1 headers libraries bindings
  headers=$(llvm-objdump --macho --private-headers "$file")
  grep '^MH_MAGIC_64' <<<"$headers" | grep -qw TWOLEVEL ||
    fail "$file: not linked for the two-level namespace (no TWOLEVEL flag)"
  libraries=$(awk '/ cmd LC_[A-Z_]*DYLIB$/ { loads = ($2 != "LC_ID_DYLIB"); next }
    loads && $1 == "name" { print $2; loads = 0 }' <<<"$headers" | sort | xargs)
  [ "$libraries" = "$(printf '%s\n' "$core_foundation" "$core_services" "$libsystem" | sort | xargs)" ] ||
    fail "$file loads '$libraries', not libSystem, CoreFoundation and CoreServices"
  # "dylib symbol" of each bind and lazy bind entry.
  bindings=$(llvm-objdump --macho --bind --lazy-bind "$file" | awk '
    /^Bind table:/ { column = 6; next }
    /^Lazy bind table:/ { column = 4; next }
    /^segment/ || NF == 0 { next }
    column { print $column, $(column + 1) }')
  [ -n "$bindings" ] || fail "$file: no bindings read"
  local library symbol
  while read -r library symbol; do
    case $library in
      libSystem) ;;
      CoreFoundation | CoreServices)
        grep -qx "$library ${symbol#_}" <<<"$apple_functions" ||
          fail "$file binds $symbol to $library, which is not one of its Apple functions" ;;
      *) fail "$file binds $symbol through '$library', not to libSystem or a framework" ;;
    esac
  done <<<"$bindings"
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

# The project version, set once in the top-level CMakeLists.txt.
project_version=$(sed -n 's/^project(TwainTrace VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)

plist_value() {
  sed -n "/<key>$2<\/key>/{n;p;}" "$1" | sed -n 's/.*<string>\(.*\)<\/string>.*/\1/p'
}

check_bundle() {
  local bundle=$1 executable=$2
  local plist=$bundle/Contents/Info.plist key
  [ -f "$bundle/Contents/MacOS/$executable" ] || { fail "$bundle has no Contents/MacOS/$executable"; return; }
  [ "$(plist_value "$plist" CFBundleExecutable)" = "$executable" ] ||
    fail "$plist does not name $executable as the bundle's executable"
  for key in CFBundleShortVersionString CFBundleVersion; do
    [ "$(plist_value "$plist" $key)" = "$project_version" ] ||
      fail "$plist: $key is '$(plist_value "$plist" $key)', not the project version $project_version"
  done
}

# Each product the release holds, and the demo host, which each architecture's build checks
# but the release leaves out.
source scripts/macos-products.sh
products=("${macos_release_products[@]}" "tools/demo_host::twaintrace-demo")

check_architecture_build() {
  local arch=$1 build=$root/$1 product built placed executable sizes=""
  check_bundle "$build/TwainTrace.ds" TwainTrace
  check_bundle "$build/tools/sample_bundle/Halvern.bundle" Halvern
  check_bundle "$build/tools/adapter_bundle/Halvern.bundle" Halvern
  for product in "${products[@]}"; do
    IFS=: read -r built placed executable <<<"$product"
    local file=$build/$built/$executable
    [ -f "$file" ] || { fail "$file was not built"; continue; }
    check_architecture "$file" "$arch"
    check_undefined "$file"
    check_linkage "$file"
    sizes+="${executable##*/} $(du -b "$file" | cut -f1) bytes; "
  done
  check_data_source_exports "$build/TwainTrace.ds/Contents/MacOS/TwainTrace"
  check_exports "$build/tools/sample_bundle/Halvern.bundle/Contents/MacOS/Halvern" "CreateHalvern DS_Entry"
  check_exports "$build/tools/adapter_bundle/Halvern.bundle/Contents/MacOS/Halvern" "CreateHalvern"
  echo "$arch: $sizes"
}

# Each universal file holds the two architectures' files as they are, the arm64 one with its
# ad-hoc signature intact (every page hash recomputed); a universal bundle is the arm64 build's
# bundle with that file, its Info.plist the same as each build's.
check_universal() {
  local product built placed executable
  for product in "${products[@]}"; do
    IFS=: read -r built placed executable <<<"$product"
    [ -n "$placed" ] || continue
    local file=$universal/$placed/$executable
    [ -f "$file" ] || { fail "$file was not made"; continue; }
    python3 scripts/check-universal-macho.py "$file" arm64="$root/arm64/$built/$executable" \
      x86_64="$root/x86_64/$built/$executable" || fail "$file: see above"
    if [[ $placed == *.ds || $placed == *.bundle ]]; then
      cmp -s "$universal/$placed/Contents/Info.plist" "$root/x86_64/$built/Contents/Info.plist" ||
        fail "$universal/$placed: the two builds' Info.plist differ"
      check_bundle "$universal/$placed" "${executable##*/}"
    fi
  done
}

# The checks above can fail: a module linked the old way, leaving an Apple function to the flat
# namespace, and a signed slice with one byte changed, must each be caught.
check_the_checks() {
  local probe=$root/check-probes compiler
  rm -rf "$probe" && mkdir -p "$probe"
  compiler=$(sed -n 's/^set(CMAKE_CXX_COMPILER "\(.*\)")$/\1/p' "$root"/arm64/CMakeFiles/*/CMakeCXXCompiler.cmake)
  printf '%s\n' 'extern "C" void CFRelease(const void*);' \
    'extern "C" __attribute__((visibility("default"))) void Probe(const void* p) { CFRelease(p); }' \
    >"$probe/flat.cpp"
  "$compiler" -c "$probe/flat.cpp" -o "$probe/flat.o" &&
    "$compiler" -bundle "$probe/flat.o" -Wl,-undefined,dynamic_lookup -o "$probe/flat.bundle" ||
    { fail "the flat-namespace probe did not link"; return; }
  local found
  found=$(failures=0; check_linkage "$probe/flat.bundle" 2>&1; check_undefined "$probe/flat.bundle" 2>&1)
  grep -q "binds _CFRelease through 'flat-namespace'" <<<"$found" && grep -q "loads '/usr/lib/libSystem.B.dylib', not" <<<"$found" ||
    fail "the linkage check passes a module bound through the flat namespace: $found"

  local universal_ds=$universal/TwainTrace.ds/Contents/MacOS/TwainTrace report offset limit
  cp "$universal_ds" "$probe/tampered"
  report=$(python3 scripts/check-universal-macho.py "$probe/tampered" arm64="$root/arm64/TwainTrace.ds/Contents/MacOS/TwainTrace" \
    x86_64="$root/x86_64/TwainTrace.ds/Contents/MacOS/TwainTrace" | grep ': arm64 slice at')
  offset=$(sed -n 's/.* slice at \([0-9]*\) .*/\1/p' <<<"$report")
  limit=$(sed -n 's/.* code limit \([0-9]*\),.*/\1/p' <<<"$report")
  [ -n "$offset" ] && [ -n "$limit" ] || { fail "no arm64 signature read: $report"; return; }
  # The byte before the signature: the last page, in the symbol strings.
  printf '\377' | dd of="$probe/tampered" bs=1 seek=$((offset + limit - 1)) conv=notrunc status=none
  found=$(python3 scripts/check-universal-macho.py "$probe/tampered" 2>&1 \
    arm64="$root/arm64/TwainTrace.ds/Contents/MacOS/TwainTrace" \
    x86_64="$root/x86_64/TwainTrace.ds/Contents/MacOS/TwainTrace" || true)
  grep -q "page $(((limit - 1) / $(page_size "$report"))) .* does not match its hash" <<<"$found" ||
    fail "the signature check passes a changed arm64 slice: $found"
}

page_size() {
  sed -n 's/.* pages of \([0-9]*\) bytes.*/\1/p' <<<"$1"
}

# The archive holds what tests/tools/release/macos_release_contents.txt lists (names and modes,
# the version in place of @VERSION@), the bundles and tools as the universal folder has them.
check_archive() {
  local name=TwainTrace-$project_version-macos
  local archive=$root/$name.tar.gz listed expected
  [ -f "$archive" ] || { fail "$archive was not made"; return; }
  listed=$(tar -tvzf "$archive" | awk '{ print $1, $NF }')
  expected=$(sed -e '/^#/d' -e "s/@VERSION@/$project_version/" tests/tools/release/macos_release_contents.txt)
  diff <(echo "$expected") <(echo "$listed") >"$root/archive-contents.diff" ||
    fail "$archive holds other files than the expected list: $(cat "$root/archive-contents.diff")"
  local unpacked=$root/archive-check
  rm -rf "$unpacked" && mkdir -p "$unpacked"
  tar -C "$unpacked" -xzf "$archive"
  local differences
  differences=$(diff -r "$universal" "$unpacked/$name" 2>&1 |
    grep -v "^Only in $unpacked/$name: [A-Za-z-]*\.\(sh\|txt\)$" || true)
  [ -z "$differences" ] || fail "$archive: its bundles or tools differ from $universal: $differences"
  for script in tools/release/*.sh tools/release/README.txt; do
    cmp -s "$script" "$unpacked/$name/${script##*/}" || fail "$archive: ${script##*/} differs from $script"
  done
}

scripts/make-macos-release.sh || { echo "macOS cross build: the release was not made" >&2; exit 1; }
for arch in arm64 x86_64; do
  check_architecture_build "$arch"
done
check_universal
check_archive
check_the_checks

if [ "$failures" -ne 0 ]; then
  echo "macOS cross build: $failures check(s) failed" >&2
  exit 1
fi
echo "macOS cross build: bundles in $root/arm64 and $root/x86_64, universal ones in $universal," \
  "the release $root/TwainTrace-$project_version-macos.tar.gz; all checks passed"
