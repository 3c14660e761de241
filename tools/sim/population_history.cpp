#include "tools/sim/population_history.h"

#include <algorithm>

namespace dravelquin::sim {

PopulationHistory::PopulationHistory(std::size_t kind_count) : summaries_(kind_count) {}

void PopulationHistory::Begin(std::int64_t time, const std::vector<std::int64_t>& wild) {
  if (Begun()) {
    return;
  }
  for (std::size_t kind = 0; kind < summaries_.size(); ++kind) {
    summaries_[kind] = KindSummary{wild[kind], wild[kind], wild[kind], wild[kind], 0};
  }
  AddSample(time, wild);
}

void PopulationHistory::Record(std::int64_t time, const std::vector<std::int64_t>& wild) {
  if (Begun()) {
    AddSample(time, wild);
  }
}

void PopulationHistory::AddSample(std::int64_t time, const std::vector<std::int64_t>& wild) {
  times_.push_back(time);
  for (std::size_t kind = 0; kind < summaries_.size(); ++kind) {
    KindSummary& summary = summaries_[kind];
    summary.min = std::min(summary.min, wild[kind]);
    summary.max = std::max(summary.max, wild[kind]);
    summary.end = wild[kind];
    wild_.push_back(wild[kind]);
  }
}

void PopulationHistory::AddDestroyed(std::size_t kind, std::int64_t count) {
  if (Begun()) {
    summaries_[kind].destroyed += count;
  }
}

KindSummary PopulationHistory::Summary(std::size_t kind) const { return summaries_[kind]; }

std::int64_t PopulationHistory::WildAt(std::size_t sample, std::size_t kind) const {
  return wild_[sample * summaries_.size() + kind];
}

}  // namespace dravelquin::sim
