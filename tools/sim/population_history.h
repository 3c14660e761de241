#pragma once

// The wild population of every kind over the recorded stretch of a
// scenario, for the summary table and the chart. The stretch starts at the
// first generated run of server life (or at the scenario's start when it
// has none) and goes on to the end.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/sim/kind_stretch.h"

namespace dravelquin::sim {

class PopulationHistory {
 public:
  explicit PopulationHistory(std::size_t kind_count) : tally_(kind_count) {}

  // Starts the stretch with its first sample; does nothing once begun.
  void Begin(std::int64_t time, const std::vector<std::int64_t>& wild);
  bool Begun() const { return tally_.Begun(); }
  // Adds a sample taken at `time` (seconds since 1970), one wild count per
  // kind in kind order. Ignored before the stretch begins.
  void Record(std::int64_t time, const std::vector<std::int64_t>& wild);
  // Creatures that spawned and those of them the gate destroyed, and
  // creatures that died; ignored before the stretch begins.
  void AddSpawns(std::size_t kind, std::int64_t spawned, std::int64_t destroyed) {
    tally_.AddSpawns(kind, spawned, destroyed);
  }
  void AddDeaths(std::size_t kind, std::int64_t died) { tally_.AddDeaths(kind, died); }

  // All zeros when the stretch never began.
  const KindStretch& Summary(std::size_t kind) const { return tally_.Of(kind); }
  std::size_t SampleCount() const { return times_.size(); }
  std::int64_t TimeAt(std::size_t sample) const { return times_[sample]; }
  std::int64_t WildAt(std::size_t sample, std::size_t kind) const;

 private:
  void AddSample(std::int64_t time, const std::vector<std::int64_t>& wild);

  StretchTally tally_;
  std::vector<std::int64_t> times_;
  std::vector<std::int64_t> wild_;  // sample-major: one row of kind counts per sample
};

}  // namespace dravelquin::sim
