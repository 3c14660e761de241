// The spawn gate: what one creature's request for its base level costs with
// the plug-in's detour in the way, beside the same request without it.

#include <benchmark/benchmark.h>

#include "bench_counters.h"
#include "bench_scenarios.h"
#include "call_counts.h"

namespace dravelquin {

namespace {

void SpawnGate(benchmark::State& state, GateCase gate_case, Plugin plugin) {
  const BenchServer server;
  const GateScenario scenario = SetUpGate(server, gate_case, plugin);
  const CallCounts before = CurrentCallCounts();
  for (auto _ : state) {
    if (!SpawnThroughGate(scenario)) {
      state.SkipWithError("the gate did not treat the spawn as the scenario expects");
      break;
    }
  }
  ReportCallsPer(state, CurrentCallCounts() - before, static_cast<double>(state.iterations()));
  FailOnProblems(state, server.Finish());
}

}  // namespace

BENCHMARK_CAPTURE(SpawnGate, unconfigured_baseline, GateCase::kUnconfigured, Plugin::kNotLoaded);
BENCHMARK_CAPTURE(SpawnGate, unconfigured, GateCase::kUnconfigured, Plugin::kLoaded);
BENCHMARK_CAPTURE(SpawnGate, under_cap_baseline, GateCase::kUnderCap, Plugin::kNotLoaded);
BENCHMARK_CAPTURE(SpawnGate, under_cap, GateCase::kUnderCap, Plugin::kLoaded);
BENCHMARK_CAPTURE(SpawnGate, at_cap_baseline, GateCase::kAtCap, Plugin::kNotLoaded);
BENCHMARK_CAPTURE(SpawnGate, at_cap, GateCase::kAtCap, Plugin::kLoaded);

}  // namespace dravelquin
