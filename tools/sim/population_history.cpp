#include "tools/sim/population_history.h"

namespace dravelquin::sim {

WildRange Merged(const WildRange& earlier, const WildRange& later) {
  // On a tie the earlier sample keeps its place, as when it was first seen.
  const bool later_min = later.min < earlier.min;
  const bool later_max = later.max > earlier.max;
  WildRange merged;
  merged.min = later_min ? later.min : earlier.min;
  merged.max = later_max ? later.max : earlier.max;
  if (later_min == later_max) {
    merged.min_first = later_min ? later.min_first : earlier.min_first;
  } else {
    merged.min_first = later_max;  // the lowest is in the earlier run, the highest in the later
  }
  return merged;
}

void PopulationHistory::Begin(std::int64_t time, const std::vector<std::int64_t>& wild) {
  if (Begun()) {
    return;
  }
  tally_.Begin(wild);
  AddSample(time, wild, 0);
}

void PopulationHistory::Record(std::int64_t time, const std::vector<std::int64_t>& wild,
                               std::int64_t censuses) {
  if (Begun()) {
    tally_.Sample(wild);
    AddSample(time, wild, censuses);
  }
}

void PopulationHistory::AddSample(std::int64_t time, const std::vector<std::int64_t>& wild,
                                  std::int64_t censuses) {
  ++samples_;
  dwell_.Sample(time, wild);
  if (buckets_.empty() || buckets_.back().samples == samples_per_bucket_) {
    if (buckets_.size() == kMaxHistoryBuckets) {
      HalveBuckets();
    }
    if (buckets_.empty() || buckets_.back().samples == samples_per_bucket_) {
      OpenBucket(time, wild);
      buckets_.back().censuses += censuses;
      return;
    }
  }
  Bucket& bucket = buckets_.back();
  bucket.last_time = time;
  ++bucket.samples;
  bucket.censuses += censuses;
  WildRange* ranges = &ranges_[(buckets_.size() - 1) * KindCount()];
  for (std::size_t kind = 0; kind < KindCount(); ++kind) {
    ranges[kind] = Merged(ranges[kind], WildRange{wild[kind], wild[kind], true});
  }
}

void PopulationHistory::OpenBucket(std::int64_t time, const std::vector<std::int64_t>& wild) {
  buckets_.push_back(Bucket{time, time, 1, 0});
  for (const std::int64_t count : wild) {
    ranges_.push_back(WildRange{count, count, true});
  }
}

// Merges buckets 2i and 2i+1 into bucket i, and makes later buckets take
// twice as many samples.
void PopulationHistory::HalveBuckets() {
  const std::size_t kinds = KindCount();
  for (std::size_t pair = 0; pair < buckets_.size() / 2; ++pair) {
    const Bucket& earlier = buckets_[2 * pair];
    const Bucket& later = buckets_[2 * pair + 1];
    buckets_[pair] = Bucket{earlier.first_time, later.last_time, earlier.samples + later.samples,
                            earlier.censuses + later.censuses};
    for (std::size_t kind = 0; kind < kinds; ++kind) {
      ranges_[pair * kinds + kind] =
          Merged(ranges_[2 * pair * kinds + kind], ranges_[(2 * pair + 1) * kinds + kind]);
    }
  }
  buckets_.resize(buckets_.size() / 2);
  ranges_.resize(buckets_.size() * kinds);
  samples_per_bucket_ *= 2;
}

}  // namespace dravelquin::sim
