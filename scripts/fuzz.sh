#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build-fuzz) and runs each one.
# Usage: scripts/fuzz.sh [seconds per target] [target ...]
#   seconds: how long each target runs (default 20)
#   targets: settings, engine_string, naming, dump, scenario, source_map
#            (default all six)
# Each run starts from the committed seeds in tests/fuzz/corpus/<target>
# (and the few shared dirs named below), which it only reads, and from what earlier runs kept in
# build-fuzz/corpus/<target>, where it adds the inputs that reach new code.
# An input that breaks an oracle, crashes, leaks or hangs stops the run and
# is saved as build-fuzz/crashes/<target>-crash-<hash> (or leak-, timeout-);
# rerun it with: build-fuzz/tests/fuzz/<target>_fuzz <file>
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-20}
shift || true
targets=("$@")
if ((${#targets[@]} == 0)); then
  targets=(settings engine_string naming dump scenario source_map)
fi

scripts/install-deps.sh clang-14 libclang-rt-14-dev

# The fuzz preset: clang, DRAVELQUIN_FUZZ, in build-fuzz.
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)" --target "${targets[@]/%/_fuzz}"

# The settings target writes each input as a config file: in memory that
# goes some twenty times faster than on disk.
if [[ -d /dev/shm && -w /dev/shm ]]; then
  export TMPDIR=/dev/shm
fi

mkdir -p build-fuzz/crashes
for target in "${targets[@]}"; do
  mkdir -p "build-fuzz/corpus/$target"
  # The position scanner reads settings files: it shares the settings
  # target's dictionary and seeds; the scenario reader starts from the
  # examples too.
  tokens=$target
  seeds=("tests/fuzz/corpus/$target")
  case $target in
    source_map) tokens=settings; seeds+=(tests/fuzz/corpus/settings) ;;
    scenario) seeds+=(examples) ;;
  esac
  dictionary=()
  if [[ -f "tests/fuzz/$tokens.dict" ]]; then
    dictionary=(-dict="tests/fuzz/$tokens.dict")
  fi
  echo "fuzzing $target for ${seconds}s" >&2
  "build-fuzz/tests/fuzz/${target}_fuzz" "${dictionary[@]}" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="build-fuzz/crashes/$target-" \
    "build-fuzz/corpus/$target" "${seeds[@]}"
done
