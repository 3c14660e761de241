// The spawn gate: what one creature's request for its base level costs with
// the plug-in's detour in the way, beside the same request without it, in
// each of the game allocator's modes.

#include <string>

#include <benchmark/benchmark.h>

#include "bench_counters.h"
#include "bench_scenarios.h"
#include "call_counts.h"

namespace dravelquin {

namespace {

void SpawnGate(benchmark::State& state, GateCase gate_case, Plugin plugin,
               testbed::AllocatorMode allocator) {
  const BenchServer server(allocator);
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

// SpawnGate/<case>[_baseline]/<allocator mode>, each case beside its baseline.
bool RegisterGateCases() {
  const struct {
    const char* name;
    GateCase gate_case;
  } cases[] = {{"unconfigured", GateCase::kUnconfigured},
               {"under_cap", GateCase::kUnderCap},
               {"at_cap", GateCase::kAtCap}};
  for (const testbed::AllocatorMode allocator : kAllocatorModes) {
    for (const auto& gate : cases) {
      for (const Plugin plugin : {Plugin::kNotLoaded, Plugin::kLoaded}) {
        const std::string name = std::string("SpawnGate/") + gate.name +
                                 (plugin == Plugin::kNotLoaded ? "_baseline/" : "/") +
                                 NameOf(allocator);
        benchmark::RegisterBenchmark(name.c_str(), SpawnGate, gate.gate_case, plugin, allocator);
      }
    }
  }
  return true;
}

[[maybe_unused]] const bool kGateCasesRegistered = RegisterGateCases();

}  // namespace

}  // namespace dravelquin
