// The census, taken when the game mode initialises: what it costs over
// worlds of 1,000, 10,000 and 100,000 creatures, in all and per creature,
// beside the same initialisation without the plug-in, in each of the game
// allocator's modes.

#include <string>

#include <benchmark/benchmark.h>

#include "bench_counters.h"
#include "bench_scenarios.h"
#include "call_counts.h"
#include "game/game_world.h"

namespace dravelquin {

namespace {

void Census(benchmark::State& state, Plugin plugin, testbed::AllocatorMode allocator) {
  const auto creatures = static_cast<int>(state.range(0));
  const BenchServer server(allocator);
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

// Census/{baseline,with_plugin}/<allocator mode>/<creatures>.
bool RegisterCensusCases() {
  for (const testbed::AllocatorMode allocator : kAllocatorModes) {
    for (const Plugin plugin : {Plugin::kNotLoaded, Plugin::kLoaded}) {
      const std::string name = std::string("Census/") +
                               (plugin == Plugin::kLoaded ? "with_plugin/" : "baseline/") +
                               NameOf(allocator);
      benchmark::internal::Benchmark* census =
          benchmark::RegisterBenchmark(name.c_str(), Census, plugin, allocator);
      census->Arg(1'000)->Arg(10'000)->Arg(100'000);
      if (plugin == Plugin::kLoaded) {
        census->Unit(benchmark::kMillisecond);
      }
    }
  }
  return true;
}

[[maybe_unused]] const bool kCensusCasesRegistered = RegisterCensusCases();

}  // namespace

}  // namespace dravelquin
