// The census, taken when the game mode initialises: what it costs over
// worlds of 1,000, 10,000 and 100,000 creatures, in all and per creature,
// beside the same initialisation without the plug-in.

#include <benchmark/benchmark.h>

#include "bench_counters.h"
#include "bench_scenarios.h"
#include "call_counts.h"
#include "testbed/game/game_world.h"

namespace dravelquin {

namespace {

void Census(benchmark::State& state, Plugin plugin) {
  const auto creatures = static_cast<int>(state.range(0));
  const BenchServer server;
  SetUpCensus(server, creatures, plugin);
  const CallCounts before = CurrentCallCounts();
  for (auto _ : state) {
    if (!testbed::InitGameMode().completed) {
      state.SkipWithError("the game mode's initialisation raised");
      break;
    }
  }
  ReportCallsPer(state, CurrentCallCounts() - before,
                 static_cast<double>(state.iterations()) * creatures);
  if (plugin == Plugin::kLoaded) {
    ReportTimePerCreature(state, creatures);
  }
  FailOnProblems(state, server.Finish());
}

void WorldSizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(1'000)->Arg(10'000)->Arg(100'000);
}

}  // namespace

BENCHMARK_CAPTURE(Census, baseline, Plugin::kNotLoaded)->Apply(WorldSizes);
BENCHMARK_CAPTURE(Census, with_plugin, Plugin::kLoaded)
    ->Apply(WorldSizes)
    ->Unit(benchmark::kMillisecond);

}  // namespace dravelquin
