#!/usr/bin/env bash
# Builds the Windows x64 target with Microsoft's C++ ABI (clang-cl, see
# cmake/clang-cl-x86_64.cmake) and runs its test suites as Windows programs
# under Wine, in a Wine prefix made anew for this run.
# Usage: scripts/test-windows.sh [ctest args ...]
set -euo pipefail
cd "$(dirname "$0")/.."

# The windows preset's folder.
prefix=$PWD/build-windows/wine-prefix

scripts/install-deps.sh clang-14 clang-tools-14 lld-14 llvm-14 libwine-dev wine wine64

stop_wineserver() {
  if [[ -d $prefix ]]; then
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  fi
}
stop_wineserver
rm -rf "$prefix" "$prefix.lock" "$prefix.log"
trap stop_wineserver EXIT

# Configuring makes the prefix and starts its wineserver, which the build's
# test discovery and then the whole suite reuse.
scripts/build.sh windows -DDRAVELQUIN_WERROR=ON
# The release ZIP, whose contents a test checks.
cmake --build --preset windows --target package >/dev/null
# A test whose program ends in Wine's loader assertion at exit is run again
# by cmake/wine-run.sh; every other failure fails at once.
ctest --preset windows -j"$(nproc)" "$@"
