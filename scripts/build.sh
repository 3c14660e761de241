#!/usr/bin/env bash
# Configures and builds the tree of one preset of CMakePresets.json (linux,
# asan, fuzz, bench, windows), in the preset's folder or in DIR given as -B DIR.
# Usage: scripts/build.sh PRESET [cmake args ...]
set -euo pipefail
cd "$(dirname "$0")/.."
preset=$1
shift
dir=
args=("$@")
for ((i = 0; i + 1 < ${#args[@]}; i++)); do
  if [[ ${args[i]} == -B ]]; then
    dir=${args[i + 1]}
  fi
done
cmake --preset "$preset" "$@" >/dev/null
if [[ -n $dir ]]; then
  cmake --build "$dir" -j"$(nproc)"
else
  cmake --build --preset "$preset" -j"$(nproc)"
fi
