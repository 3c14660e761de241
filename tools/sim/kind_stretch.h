#pragma once

// What happened to each kind's wild population over a stretch of a scenario:
// a whole recorded scenario for the summary, or one generated run of server
// life for its trace line.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dravelquin::sim {

struct KindStretch {
  std::int64_t start = 0;      // wild creatures at the first sample
  std::int64_t min = 0;        // lowest of the samples
  std::int64_t max = 0;        // highest of the samples
  std::int64_t end = 0;        // at the last sample
  std::int64_t spawned = 0;    // creatures that appeared and asked for a base level
  std::int64_t destroyed = 0;  // of those, destroyed by the spawn gate
  std::int64_t died = 0;       // wild creatures that died of the death rate
};

// Every kind's stretch, from a first sample on. Samples give one wild count
// per kind, in kind order; nothing is counted before the first.
class StretchTally {
 public:
  explicit StretchTally(std::size_t kind_count) : stretches_(kind_count) {}

  // Starts every stretch at its kind's count; does nothing once begun.
  void Begin(const std::vector<std::int64_t>& wild);
  bool Begun() const { return begun_; }
  // A later sample: moves each kind's min, max and end.
  void Sample(const std::vector<std::int64_t>& wild);
  void AddSpawns(std::size_t kind, std::int64_t spawned, std::int64_t destroyed);
  void AddDeaths(std::size_t kind, std::int64_t died);

  const KindStretch& Of(std::size_t kind) const { return stretches_[kind]; }
  const std::vector<KindStretch>& All() const { return stretches_; }

 private:
  std::vector<KindStretch> stretches_;
  bool begun_ = false;
};

}  // namespace dravelquin::sim
