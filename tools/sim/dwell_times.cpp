#include "tools/sim/dwell_times.h"

#include <algorithm>

namespace dravelquin::sim {

void DwellTimes::Sample(std::int64_t time, const std::vector<std::int64_t>& wild) {
  const std::int64_t elapsed =
      last_wild_.empty() ? 0 : std::max<std::int64_t>(0, time - last_time_);
  if (elapsed > 0) {
    for (std::size_t kind = 0; kind < last_wild_.size(); ++kind) {
      std::vector<std::int64_t>& seconds = seconds_at_[kind];
      const auto count = static_cast<std::size_t>(last_wild_[kind]);
      if (seconds.size() <= count) {
        seconds.resize(count + 1, 0);
      }
      seconds[count] += elapsed;
    }
    total_seconds_ += elapsed;
  }
  last_wild_ = wild;
  last_time_ = time;
}

double DwellTimes::ShareWithin(std::size_t kind, std::int64_t low, std::int64_t high) const {
  if (last_wild_.empty()) {
    return 0;
  }
  if (total_seconds_ == 0) {
    return last_wild_[kind] >= low && last_wild_[kind] <= high ? 1 : 0;
  }
  const std::vector<std::int64_t>& seconds = seconds_at_[kind];
  const std::int64_t from = std::max<std::int64_t>(low, 0);
  const std::int64_t to =
      std::min<std::int64_t>(high, static_cast<std::int64_t>(seconds.size()) - 1);
  std::int64_t within = 0;
  for (std::int64_t count = from; count <= to; ++count) {
    within += seconds[static_cast<std::size_t>(count)];
  }
  return static_cast<double>(within) / static_cast<double>(total_seconds_);
}

}  // namespace dravelquin::sim
