#!/usr/bin/env bash
# Runs the spawn gate and the census once each under callgrind and prints the
# instructions per gate call and per census creature, with their shares in
# the plug-in's own code, the stand-in host, the stand-in game and the runtime
# libraries (see scripts/callgrind_shares.py). Instruction counts repeat from
# run to run where timings on a shared machine do not.
#
# Each run collects inside one entry point only: the gate's detour
# OnGetRandomBaseLevel, RunCensus, or, for the ratio to the baseline, the
# game's whole SpawnCreature with and without the plug-in loaded.
#
# Usage: scripts/callgrind-shares.sh [--lean] [--top N]
#   --lean: the game's allocator serves its calls as a server's would, without
#           its per-block accounting (the plug-in's own counts do not change);
#   --top N: also list the N costliest functions of each profile.
# The build tree is build-bench, or $DRAVELQUIN_BENCH_BUILD when set.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh valgrind
build=${DRAVELQUIN_BENCH_BUILD:-build-bench}
scripts/build.sh bench -B "$build"
profile=$build/bench/dravelquin_profile
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

gate_calls=2000
shares=()
allocator=()
if [[ ${1:-} == --lean ]]; then
  allocator=(--lean)
  shift
fi

# profile NAME UNITS ENTRY_POINT SCENARIO [ARGUMENTS ...]: one callgrind run of
# the driver collecting only inside ENTRY_POINT; prints the driver's call counts.
profile() {
  local name=$1 units=$2 entry=$3
  shift 3
  LD_BIND_NOW=1 valgrind --tool=callgrind --collect-atstart=no --toggle-collect="$entry" \
    --callgrind-out-file="$out/$name.out" --log-file="$out/$name.log" "$profile" "$@" \
    "${allocator[@]}" |
    sed "s/^/$name: /"
  shares+=("$name" "$units" "$out/$name.out")
}

# The entry points as callgrind names them, namespaces included.
gate=dravelquin::OnGetRandomBaseLevel*
census=dravelquin::RunCensus*
spawn=dravelquin::testbed::SpawnCreature*
profile gate-unconfigured "$gate_calls" "$gate" gate-unconfigured "$gate_calls"
profile gate-under-cap "$gate_calls" "$gate" gate-under-cap "$gate_calls"
profile gate-at-cap "$gate_calls" "$gate" gate-at-cap "$gate_calls"
for creatures in 1000 100000; do
  profile "census-$creatures" "$creatures" "$census" census "$creatures"
done
profile spawn-under-cap "$gate_calls" "$spawn" gate-under-cap "$gate_calls"
profile spawn-baseline "$gate_calls" "$spawn" gate-under-cap "$gate_calls" --without-plugin

echo
python3 scripts/callgrind_shares.py "$@" "${shares[@]}"
