#pragma once

// How a benchmark run reports what it measured beside its time, and how it
// fails when its scenario went wrong.

#include <string>

#include <benchmark/benchmark.h>

#include "call_counts.h"
#include "game/engine_allocator.h"

namespace dravelquin {

// Every case runs once in each of the game allocator's modes: with its full
// accounting, and lean, at about the cost of a server's own allocator.
constexpr testbed::AllocatorMode kAllocatorModes[] = {testbed::AllocatorMode::kAccounting,
                                                      testbed::AllocatorMode::kLean};

// "accounting" or "lean": the last part of a case's name.
const char* NameOf(testbed::AllocatorMode mode);

// Counters "allocs", "fn_lookups" and "field_lookups": the calls made per
// unit, where the run did `units` units of work in all (gate calls, or
// creatures over all censuses).
void ReportCallsPer(benchmark::State& state, const CallCounts& calls, double units);

// Counter "per_creature": the run's time per creature, shown in seconds
// with a unit prefix (for instance 812n is 812 ns), where each iteration
// went over `creatures` creatures.
void ReportTimePerCreature(benchmark::State& state, int creatures);

// Marks the run as failed with the problems when there are any, unless it
// has failed already.
void FailOnProblems(benchmark::State& state, const std::string& problems);

}  // namespace dravelquin
