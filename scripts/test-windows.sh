#!/usr/bin/env bash
# Builds the Windows x64 target with mingw-w64 and runs its test suites as
# Windows programs under Wine, in a Wine prefix made anew for this run.
# Usage: scripts/test-windows.sh [ctest args ...]
set -euo pipefail
cd "$(dirname "$0")/.."

dir=build-win
prefix=$PWD/$dir/wine-prefix

scripts/install-deps.sh g++-mingw-w64-x86-64-posix wine wine64

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
scripts/build.sh "$dir" --toolchain cmake/mingw-w64-x86_64.cmake -DDRAVELQUIN_BENCH=OFF
ctest --test-dir "$dir" --output-on-failure -j"$(nproc)" "$@"
