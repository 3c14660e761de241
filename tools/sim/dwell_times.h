#pragma once

// How long each kind's wild population stayed at each count over a recorded
// stretch, so that the share of time a kind spent near its cap can be read
// for any cap and tolerance afterwards. A sample's counts hold until the next
// sample, as the population changes only in the steps and ticks that are
// sampled. Memory grows with the highest count a kind reaches, not with the
// simulated time.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dravelquin::sim {

class DwellTimes {
 public:
  explicit DwellTimes(std::size_t kind_count) : seconds_at_(kind_count) {}

  // A sample taken at `time` (seconds), one wild count per kind in kind
  // order. The time since the sample before is credited to that sample's
  // counts; a clock set back credits nothing.
  void Sample(std::int64_t time, const std::vector<std::int64_t>& wild);

  // The share of the stretch, from 0 to 1, in which the kind's count was
  // from `low` to `high`. For a stretch that lasted no time: 1 when the last
  // count lies there, else 0; 0 before any sample.
  double ShareWithin(std::size_t kind, std::int64_t low, std::int64_t high) const;

 private:
  std::vector<std::vector<std::int64_t>> seconds_at_;  // per kind, per count
  std::vector<std::int64_t> last_wild_;
  std::int64_t last_time_ = 0;
  std::int64_t total_seconds_ = 0;
};

}  // namespace dravelquin::sim
