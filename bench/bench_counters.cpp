#include "bench_counters.h"

#include <cstdint>

namespace dravelquin {

const char* NameOf(testbed::AllocatorMode mode) {
  return mode == testbed::AllocatorMode::kLean ? "lean" : "accounting";
}

void ReportCallsPer(benchmark::State& state, const CallCounts& calls, double units) {
  const auto per_unit = [units](std::uint64_t count) {
    return units > 0 ? static_cast<double>(count) / units : 0.0;
  };
  state.counters["allocs"] = per_unit(calls.AllocatorCalls());
  state.counters["fn_lookups"] = per_unit(calls.function_lookups);
  state.counters["field_lookups"] = per_unit(calls.field_lookups);
}

void ReportTimePerCreature(benchmark::State& state, int creatures) {
  state.counters["per_creature"] = benchmark::Counter(
      creatures, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void FailOnProblems(benchmark::State& state, const std::string& problems) {
  if (!problems.empty() && !state.error_occurred()) {
    state.SkipWithError(problems.c_str());
  }
}

}  // namespace dravelquin
