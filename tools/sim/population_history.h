#pragma once

// The wild population of every kind over the recorded stretch of a
// scenario, for the summary table and the chart. The stretch starts at the
// first generated run of server life (or at the scenario's start when it
// has none) and goes on to the end.
//
// Its memory does not grow with the simulated time: samples are kept in at
// most kMaxHistoryBuckets buckets. Once they are full, neighbouring buckets
// merge pairwise and each later bucket takes twice as many samples, so a
// bucket holds a run of neighbouring samples with each kind's lowest and
// highest count, and the summary's figures stay exact.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/sim/dwell_times.h"
#include "tools/sim/kind_stretch.h"

namespace dravelquin::sim {

// Buckets a history keeps at most; an even number.
constexpr std::size_t kMaxHistoryBuckets = 2048;

// A run of neighbouring samples of one kind.
struct WildRange {
  std::int64_t min = 0;
  std::int64_t max = 0;
  bool min_first = true;  // the lowest sample came no later than the highest
};

class PopulationHistory {
 public:
  explicit PopulationHistory(std::size_t kind_count) : tally_(kind_count), dwell_(kind_count) {}

  // Starts the stretch with its first sample; does nothing once begun.
  void Begin(std::int64_t time, const std::vector<std::int64_t>& wild);
  bool Begun() const { return tally_.Begun(); }
  // Adds a sample taken at `time` (seconds since 1970), one wild count per
  // kind in kind order, and the censuses the plug-in ran since the sample
  // before. Ignored before the stretch begins.
  void Record(std::int64_t time, const std::vector<std::int64_t>& wild,
              std::int64_t censuses = 0);
  // Creatures that spawned and those of them the gate destroyed, and
  // creatures that died; ignored before the stretch begins.
  void AddSpawns(std::size_t kind, std::int64_t spawned, std::int64_t destroyed) {
    tally_.AddSpawns(kind, spawned, destroyed);
  }
  void AddDeaths(std::size_t kind, std::int64_t died) { tally_.AddDeaths(kind, died); }

  // All zeros when the stretch never began.
  const KindStretch& Summary(std::size_t kind) const { return tally_.Of(kind); }
  // How long each kind stayed at each count, exactly, from every sample.
  const DwellTimes& Dwell() const { return dwell_; }
  std::size_t KindCount() const { return tally_.All().size(); }
  // Samples recorded in all, the first one included.
  std::int64_t SampleCount() const { return samples_; }
  // The time of the first and of the last sample (0 before the stretch).
  std::int64_t StartTime() const { return buckets_.empty() ? 0 : buckets_.front().first_time; }
  std::int64_t EndTime() const { return buckets_.empty() ? 0 : buckets_.back().last_time; }

  std::size_t BucketCount() const { return buckets_.size(); }
  // The time of a bucket's first and last sample.
  std::int64_t FirstTimeOf(std::size_t bucket) const { return buckets_[bucket].first_time; }
  std::int64_t LastTimeOf(std::size_t bucket) const { return buckets_[bucket].last_time; }
  // Censuses that ran after the sample before the bucket and by its last.
  std::int64_t CensusesIn(std::size_t bucket) const { return buckets_[bucket].censuses; }
  const WildRange& RangeOf(std::size_t bucket, std::size_t kind) const {
    return ranges_[bucket * KindCount() + kind];
  }

 private:
  struct Bucket {
    std::int64_t first_time = 0;
    std::int64_t last_time = 0;
    std::int64_t samples = 0;
    std::int64_t censuses = 0;
  };

  void AddSample(std::int64_t time, const std::vector<std::int64_t>& wild,
                 std::int64_t censuses);
  void OpenBucket(std::int64_t time, const std::vector<std::int64_t>& wild);
  void HalveBuckets();

  StretchTally tally_;
  DwellTimes dwell_;
  std::int64_t samples_ = 0;
  std::int64_t samples_per_bucket_ = 1;
  std::vector<Bucket> buckets_;
  std::vector<WildRange> ranges_;  // bucket-major: one range per kind per bucket
};

// The range of two neighbouring runs of samples, `earlier` then `later`.
WildRange Merged(const WildRange& earlier, const WildRange& later);

}  // namespace dravelquin::sim
