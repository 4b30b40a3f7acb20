#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, the fuzzer and the benchmarks need
# (Debian 12).
set -euo pipefail
# lld and llvm link and read the macOS cross build; GNU time measures the big-log benchmark's
# peak memory.
packages=(cmake g++ make ninja-build libgtest-dev libgmock-dev libboost-dev libbenchmark-dev
  clang libclang-rt-14-dev lld llvm time)
# The macOS cross build fetches its pinned Zig through npm, wherever npm comes from.
command -v npm >/dev/null || packages+=(npm)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi
