#pragma once

// Which interval a sweep recommends: the longest that keeps a kind (or every
// capped kind) within the tolerance of its cap for most of the time, since a
// longer interval costs the server fewer censuses.

#include <cstddef>
#include <vector>

#include "tools/sim/sweep_outcome.h"

namespace dravelquin::sim {

// The share of the time a kind must stay within the tolerance of its cap for
// an interval to be recommended.
constexpr double kWantedShareWithin = 0.9;

struct IntervalChoice {
  std::size_t interval = 0;  // index into the sweep's intervals
  bool meets = false;        // its share reaches kWantedShareWithin
};

// From each interval's share (ascending intervals): the longest whose share
// reaches kWantedShareWithin; when none does, the one of the highest share,
// the longer of equal ones. `shares` must not be empty.
IntervalChoice ChooseInterval(const std::vector<double>& shares);

// One kind's share at each interval (index into the sweep's kinds).
std::vector<double> SharesOf(const SweepOutcome& sweep, std::size_t kind);

// At each interval, the lowest share of any capped kind: the config's worst.
std::vector<double> LowestShares(const SweepOutcome& sweep);

// The kind of the lowest share at an interval (the first of equal ones).
std::size_t LeastKeptKind(const IntervalOutcome& interval);

}  // namespace dravelquin::sim
