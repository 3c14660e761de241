#include "tools/sim/sweep_advice.h"

#include <algorithm>

namespace dravelquin::sim {

IntervalChoice ChooseInterval(const std::vector<double>& shares) {
  for (std::size_t index = shares.size(); index-- > 0;) {
    if (shares[index] >= kWantedShareWithin) {
      return IntervalChoice{index, true};
    }
  }
  std::size_t best = 0;
  for (std::size_t index = 1; index < shares.size(); ++index) {
    if (shares[index] >= shares[best]) {
      best = index;
    }
  }
  return IntervalChoice{best, false};
}

std::vector<double> SharesOf(const SweepOutcome& sweep, std::size_t kind) {
  std::vector<double> shares;
  for (const IntervalOutcome& interval : sweep.intervals) {
    shares.push_back(interval.kinds[kind].share_within);
  }
  return shares;
}

std::vector<double> LowestShares(const SweepOutcome& sweep) {
  std::vector<double> lowest;
  for (const IntervalOutcome& interval : sweep.intervals) {
    lowest.push_back(interval.kinds[LeastKeptKind(interval)].share_within);
  }
  return lowest;
}

std::size_t LeastKeptKind(const IntervalOutcome& interval) {
  const auto least = std::min_element(interval.kinds.begin(), interval.kinds.end(),
                                      [](const KindAtInterval& a, const KindAtInterval& b) {
                                        return a.share_within < b.share_within;
                                      });
  return static_cast<std::size_t>(least - interval.kinds.begin());
}

}  // namespace dravelquin::sim
