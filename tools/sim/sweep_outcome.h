#pragma once

// What an interval sweep found: for each interval, how each capped kind's
// wild population moved around its cap and what the censuses took.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/sim/simulation.h"

namespace dravelquin::sim {

// The counts from `low` to `high` lie within `percent` per cent of `cap`
// either way.
struct CapBand {
  std::int64_t low = 0;
  std::int64_t high = 0;
};

CapBand BandAround(std::int64_t cap, double percent);

// One capped kind over the recorded stretch of one run.
struct KindAtInterval {
  std::int64_t lowest = 0;     // its fewest wild creatures
  std::int64_t highest = 0;    // its most
  double share_within = 0;     // of the time, from 0 to 1, within the band around its cap
  std::int64_t destroyed = 0;  // creatures the gate destroyed
};

struct IntervalOutcome {
  std::int64_t interval = 0;          // CheckInterval, seconds
  std::vector<KindAtInterval> kinds;  // in the order of SweepOutcome::kinds
  CensusWork censuses;
  std::optional<std::string> load_failure;  // the plug-in did not load
};

struct CappedKind {
  std::size_t index = 0;  // in the scenario's kinds
  std::string id;
  std::int64_t cap = 0;
};

struct SweepOutcome {
  std::string title;  // the scenario's file name
  double tolerance_percent = 0;
  std::int64_t stretch_seconds = 0;        // of the recorded stretch
  std::vector<CappedKind> kinds;           // the kinds whose cap the plug-in applies
  std::vector<IntervalOutcome> intervals;  // ascending
};

}  // namespace dravelquin::sim
