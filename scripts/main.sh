#!/usr/bin/env bash
# The main job: builds the project, then runs the simulated server on the
# example scenario. Shows each kind's wild population (cap, start, min, max,
# end, destroyed, start excess, overshoot) and the start of the census dump,
# and writes the population chart.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh linux

scenario=examples/busy-server.json
server_dir=build/example-server
chart=build/example-chart.svg
output=build/example-output.txt

rm -rf "$server_dir"
build/tools/sim/dravelquin-sim --server-dir "$server_dir" --report --chart "$chart" \
  --output "$output" --force "$scenario"

# The output is the trace (one JSON line per step) followed by the summary.
grep -v '^{' "$output"
echo
echo "trace: $(grep -c '^{' "$output") steps of $scenario, one JSON line each, in $output"
echo "chart: $chart (open it in a browser)"
echo "dump:  $server_dir/ArkApi/Plugins/dravelquin/dinoDump.txt"
