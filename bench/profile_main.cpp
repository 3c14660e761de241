// The driver that scripts/callgrind-shares.sh runs under callgrind: one
// scenario of the benchmarks, run once with a fixed amount of work, so that
// its instruction counts can be compared from run to run and machine to
// machine. Prints the calls that the work made of the game's allocator and
// of the host's name lookup, per unit of work.
//
// Usage: dravelquin_profile SCENARIO [COUNT] [--without-plugin] [--lean]
//   gate-unconfigured, gate-under-cap, gate-at-cap: COUNT spawns through the
//     gate in a world of 10,000 creatures (2,000 spawns by default);
//   census: one census of a world of COUNT creatures (10,000 by default);
//   dump: one dump of a world of COUNT wild creatures (2,000 by default).
// The game's allocator keeps its full accounting, or with --lean serves its
// calls as a server's allocator would.

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "bench_scenarios.h"
#include "call_counts.h"
#include "game/game_world.h"
#include "host_stand_in/testbed_host.h"

namespace dravelquin {

namespace {

struct Work {
  int units = 0;
  std::string unit_name;
  CallCounts calls;
  std::string problems;
};

struct Request {
  std::string scenario;
  int count = 0;  // 0: the scenario's default
  Plugin plugin = Plugin::kLoaded;
  testbed::AllocatorMode allocator = testbed::AllocatorMode::kAccounting;
};

int CountOr(const Request& request, int fallback) {
  return request.count > 0 ? request.count : fallback;
}

Work SpawnThroughGate(const BenchServer& server, GateCase gate_case, const Request& request) {
  const GateScenario scenario = SetUpGate(server, gate_case, request.plugin);
  Work work{CountOr(request, 2'000), "gate call", {}, ""};
  const CallCounts before = CurrentCallCounts();
  for (int i = 0; i < work.units; ++i) {
    if (!SpawnThroughGate(scenario)) {
      work.problems = "the gate did not treat a spawn as the scenario expects";
      break;
    }
  }
  work.calls = CurrentCallCounts() - before;
  return work;
}

Work TakeCensus(const BenchServer& server, const Request& request) {
  Work work{CountOr(request, 10'000), "census creature", {}, ""};
  SetUpCensus(server, work.units, request.plugin);
  const CallCounts before = CurrentCallCounts();
  if (!testbed::InitGameMode().completed) {
    work.problems = "the game mode's initialisation raised";
  }
  work.calls = CurrentCallCounts() - before;
  return work;
}

Work WriteDump(const BenchServer& server, const Request& request) {
  Work work{CountOr(request, 2'000), "dumped creature", {}, ""};
  APlayerController* admin = SetUpDump(server, work.units, request.plugin);
  const CallCounts before = CurrentCallCounts();
  testbed::RunConsoleCommand(admin, u"debugspawn");
  work.calls = CurrentCallCounts() - before;
  return work;
}

Work Run(const BenchServer& server, const Request& request) {
  if (request.scenario == "gate-unconfigured") {
    return SpawnThroughGate(server, GateCase::kUnconfigured, request);
  }
  if (request.scenario == "gate-under-cap") {
    return SpawnThroughGate(server, GateCase::kUnderCap, request);
  }
  if (request.scenario == "gate-at-cap") {
    return SpawnThroughGate(server, GateCase::kAtCap, request);
  }
  if (request.scenario == "census") {
    return TakeCensus(server, request);
  }
  if (request.scenario == "dump") {
    return WriteDump(server, request);
  }
  return Work{0, "", {}, "unknown scenario " + request.scenario};
}

Request RequestOf(int argc, char** argv) {
  Request request;
  request.scenario = argv[1];
  for (int i = 2; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--without-plugin") {
      request.plugin = Plugin::kNotLoaded;
    } else if (argument == "--lean") {
      request.allocator = testbed::AllocatorMode::kLean;
    } else {
      request.count = std::atoi(argument.c_str());
    }
  }
  return request;
}

void PrintCallsPerUnit(const Work& work) {
  const auto per_unit = [&work](std::uint64_t count) {
    return static_cast<double>(count) / work.units;
  };
  std::printf(
      "%d x %s; per %s: %.3f allocator calls (%.3f Malloc, %.3f Realloc, %.3f Free), "
      "%.3f GetAddress(name), %.3f GetAddress(object, name)\n",
      work.units, work.unit_name.c_str(), work.unit_name.c_str(),
      per_unit(work.calls.AllocatorCalls()), per_unit(work.calls.mallocs),
      per_unit(work.calls.reallocs), per_unit(work.calls.frees),
      per_unit(work.calls.function_lookups), per_unit(work.calls.field_lookups));
}

}  // namespace

}  // namespace dravelquin

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s SCENARIO [COUNT] [--without-plugin] [--lean]\n", argv[0]);
    return 2;
  }
  try {
    const dravelquin::Request request = dravelquin::RequestOf(argc, argv);
    const dravelquin::BenchServer server(request.allocator);
    const dravelquin::Work work = dravelquin::Run(server, request);
    const std::string problems = work.problems.empty() ? server.Finish() : work.problems;
    if (!problems.empty()) {
      std::fprintf(stderr, "%s\n", problems.c_str());
      return 1;
    }
    dravelquin::PrintCallsPerUnit(work);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
