#pragma once

// The wild population of every kind over the recorded stretch of a
// scenario, for the summary table and the chart. The stretch starts at the
// first generated run of server life (or at the scenario's start when it
// has none) and goes on to the end.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dravelquin::sim {

struct KindSummary {
  std::int64_t start = 0;
  std::int64_t min = 0;
  std::int64_t max = 0;
  std::int64_t end = 0;
  std::int64_t destroyed = 0;  // by the spawn gate, within the stretch
};

class PopulationHistory {
 public:
  explicit PopulationHistory(std::size_t kind_count);

  // Starts the stretch with its first sample; does nothing once begun.
  void Begin(std::int64_t time, const std::vector<std::int64_t>& wild);
  bool Begun() const { return !times_.empty(); }
  // Adds a sample taken at `time` (seconds since 1970), one wild count per
  // kind in kind order. Ignored before the stretch begins.
  void Record(std::int64_t time, const std::vector<std::int64_t>& wild);
  // Counts creatures the gate destroyed; ignored before the stretch begins.
  void AddDestroyed(std::size_t kind, std::int64_t count);

  // All zeros when the stretch never began.
  KindSummary Summary(std::size_t kind) const;
  std::size_t SampleCount() const { return times_.size(); }
  std::int64_t TimeAt(std::size_t sample) const { return times_[sample]; }
  std::int64_t WildAt(std::size_t sample, std::size_t kind) const;

 private:
  void AddSample(std::int64_t time, const std::vector<std::int64_t>& wild);

  std::vector<KindSummary> summaries_;
  std::vector<std::int64_t> times_;
  std::vector<std::int64_t> wild_;  // sample-major: one row of kind counts per sample
};

}  // namespace dravelquin::sim
