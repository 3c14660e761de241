#include "tools/sim/kind_stretch.h"

#include <algorithm>

namespace dravelquin::sim {

void StretchTally::Begin(const std::vector<std::int64_t>& wild) {
  if (begun_) {
    return;
  }
  begun_ = true;
  for (std::size_t kind = 0; kind < stretches_.size(); ++kind) {
    stretches_[kind] = KindStretch{wild[kind], wild[kind], wild[kind], wild[kind], 0, 0, 0};
  }
}

void StretchTally::Sample(const std::vector<std::int64_t>& wild) {
  if (!begun_) {
    return;
  }
  for (std::size_t kind = 0; kind < stretches_.size(); ++kind) {
    KindStretch& stretch = stretches_[kind];
    stretch.min = std::min(stretch.min, wild[kind]);
    stretch.max = std::max(stretch.max, wild[kind]);
    stretch.end = wild[kind];
  }
}

void StretchTally::AddSpawns(std::size_t kind, std::int64_t spawned, std::int64_t destroyed) {
  if (begun_) {
    stretches_[kind].spawned += spawned;
    stretches_[kind].destroyed += destroyed;
  }
}

void StretchTally::AddDeaths(std::size_t kind, std::int64_t died) {
  if (begun_) {
    stretches_[kind].died += died;
  }
}

}  // namespace dravelquin::sim
