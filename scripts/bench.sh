#!/usr/bin/env bash
# Builds the benchmarks in their own build tree and runs them: the spawn gate
# in its three cases, the census over 1,000, 10,000 and 100,000 creatures and
# the dump, each beside its baseline without the plug-in. Each case is
# repeated and only the aggregates are printed: read the medians. Then one
# simulator run at a real server's size: examples/busy-server.json with every
# count, cap and spawn rate times 30 (about 100,000 creatures), a census every
# six hours, for 720 simulated hours; it prints its time, peak memory,
# simulated creature-hours per second and the time the plug-in's own
# callbacks took in it (DRAVELQUIN_BENCH_SIM=0 leaves it out).
#
# Usage: scripts/bench.sh [Google Benchmark options ...]
#   e.g. scripts/bench.sh --benchmark_filter=Census --benchmark_repetitions=9
# The build tree is build-bench, or $DRAVELQUIN_BENCH_BUILD when set.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
build=${DRAVELQUIN_BENCH_BUILD:-build-bench}
scripts/build.sh bench -B "$build"
"$build/bench/dravelquin_bench" --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true "$@"
if [[ ${DRAVELQUIN_BENCH_SIM:-1} != 0 ]]; then
  "$build/bench/dravelquin_sim_bench" examples/busy-server.json \
    --scale 30 --check-interval 21600 --hours 720
fi
