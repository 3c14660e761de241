#include "tools/sim/population_history.h"

namespace dravelquin::sim {

void PopulationHistory::Begin(std::int64_t time, const std::vector<std::int64_t>& wild) {
  if (Begun()) {
    return;
  }
  tally_.Begin(wild);
  AddSample(time, wild);
}

void PopulationHistory::Record(std::int64_t time, const std::vector<std::int64_t>& wild) {
  if (Begun()) {
    AddSample(time, wild);
  }
}

void PopulationHistory::AddSample(std::int64_t time, const std::vector<std::int64_t>& wild) {
  times_.push_back(time);
  wild_.insert(wild_.end(), wild.begin(), wild.end());
  tally_.Sample(wild);
}

std::int64_t PopulationHistory::WildAt(std::size_t sample, std::size_t kind) const {
  return wild_[sample * tally_.All().size() + kind];
}

}  // namespace dravelquin::sim
