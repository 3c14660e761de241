// The dump: an administrator's "debugspawn" over 10,000 wild creatures,
// beside the same console line without the plug-in, in each of the game
// allocator's modes.

#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include "bench_counters.h"
#include "bench_scenarios.h"
#include "call_counts.h"
#include "host_stand_in/testbed_host.h"

namespace dravelquin {

namespace {

constexpr int kDumpCreatures = 10'000;

void Dump(benchmark::State& state, Plugin plugin, testbed::AllocatorMode allocator) {
  const BenchServer server(allocator);
  APlayerController* admin = SetUpDump(server, kDumpCreatures, plugin);
  const CallCounts before = CurrentCallCounts();
  for (auto _ : state) {
    const bool command_known = testbed::RunConsoleCommand(admin, u"debugspawn");
    if (command_known != (plugin == Plugin::kLoaded)) {
      state.SkipWithError("the console did not route debugspawn as the scenario expects");
      break;
    }
  }
  ReportCallsPer(state, CurrentCallCounts() - before,
                 static_cast<double>(state.iterations()) * kDumpCreatures);
  if (plugin == Plugin::kLoaded) {
    ReportTimePerCreature(state, kDumpCreatures);
  }
  const bool dump_written = std::filesystem::exists(server.DumpFile()) &&
                            std::filesystem::file_size(server.DumpFile()) > 0;
  FailOnProblems(state, dump_written == (plugin == Plugin::kLoaded)
                            ? ""
                            : "the dump file is not as the scenario expects");
  FailOnProblems(state, server.Finish());
}

// Dump/{baseline,with_plugin}/<allocator mode>.
bool RegisterDumpCases() {
  for (const testbed::AllocatorMode allocator : kAllocatorModes) {
    for (const Plugin plugin : {Plugin::kNotLoaded, Plugin::kLoaded}) {
      const std::string name = std::string("Dump/") +
                               (plugin == Plugin::kLoaded ? "with_plugin/" : "baseline/") +
                               NameOf(allocator);
      benchmark::internal::Benchmark* dump =
          benchmark::RegisterBenchmark(name.c_str(), Dump, plugin, allocator);
      if (plugin == Plugin::kLoaded) {
        dump->Unit(benchmark::kMillisecond);
      }
    }
  }
  return true;
}

[[maybe_unused]] const bool kDumpCasesRegistered = RegisterDumpCases();

}  // namespace

}  // namespace dravelquin
