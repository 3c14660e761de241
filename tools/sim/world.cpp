#include "sim/world.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <optional>
#include <utility>

#include "common/text.h"
#include "engine/fstring.h"
#include "engine/naming.h"
#include "plugin_rules/plugin_rules.h"
#include "population/settings_file.h"
#include "sim/scenario.h"
#include "game/game_world.h"

namespace dravelquin::sim {

std::uint64_t SplitMix64::Next() {
  state_ += 0x9E3779B97F4A7C15ULL;
  std::uint64_t mixed = state_;
  mixed = (mixed ^ (mixed >> 30)) * 0xBF58476D1CE4E5B9ULL;
  mixed = (mixed ^ (mixed >> 27)) * 0x94D049BB133111EBULL;
  return mixed ^ (mixed >> 31);
}

double SplitMix64::NextUnit() {
  constexpr double kUnitPerStep = 1.0 / static_cast<double>(1ULL << 53);
  return static_cast<double>(Next() >> 11) * kUnitPerStep;
}

std::uint64_t SplitMix64::Below(std::uint64_t bound) {
  if (bound == 0) {
    return 0;
  }
  // Values at or above the last whole multiple of `bound` would favour the
  // low results, so they are drawn again.
  const std::uint64_t limit =
      std::numeric_limits<std::uint64_t>::max() - std::numeric_limits<std::uint64_t>::max() % bound;
  std::uint64_t value = Next();
  while (value >= limit) {
    value = Next();
  }
  return value % bound;
}

bool SplitMix64::Chance(double probability) { return NextUnit() < probability; }

std::int64_t SplitMix64::RoundRandomly(double amount) {
  if (!(amount > 0.0)) {
    return 0;
  }
  const double whole = std::floor(amount);
  return static_cast<std::int64_t>(whole) + (Chance(amount - whole) ? 1 : 0);
}

namespace {

bool IsWildTeam(std::int32_t team) { return team < kTamedTeam; }

}  // namespace

SimWorld::SimWorld(const std::vector<ScenarioKind>& kinds) {
  for (const ScenarioKind& kind : kinds) {
    KindPopulation population;
    population.game_kind = testbed::AddKind(Utf16FromUtf8(kind.full_name));
    kinds_.push_back(std::move(population));
  }
}

void SimWorld::Keep(std::size_t kind, testbed::GameCreature* creature, std::int32_t team) {
  kinds_[kind].creatures.push_back(Member{creature, team});
  kinds_[kind].wild += IsWildTeam(team) ? 1 : 0;
}

void SimWorld::Place(std::size_t kind, const std::u16string& name, std::int32_t team,
                     std::int32_t count) {
  for (std::int32_t i = 0; i < count; ++i) {
    Keep(kind, testbed::PlaceCreature(kinds_[kind].game_kind, name, team), team);
  }
}

SpawnAnswer SimWorld::Spawn(std::size_t kind, const std::u16string& name, std::int32_t team,
                            std::int32_t own_level) {
  const testbed::SpawnResult result =
      testbed::SpawnCreature(kinds_[kind].game_kind, name, team, own_level);
  if (!result.destroyed) {
    Keep(kind, result.creature, team);
  }
  return SpawnAnswer{result.level, result.destroyed};
}

std::int32_t SimWorld::RemoveOldest(std::size_t kind, std::int32_t count) {
  KindPopulation& population = kinds_[kind];
  std::int32_t removed = 0;
  while (removed < count && !population.creatures.empty()) {
    const Member oldest = population.creatures.front();
    population.creatures.pop_front();
    testbed::RemoveCreature(oldest.creature);
    population.wild -= IsWildTeam(oldest.team) ? 1 : 0;
    ++removed;
  }
  return removed;
}

std::int32_t SimWorld::TameOldestWild(std::size_t kind, std::int32_t count, std::int32_t team) {
  KindPopulation& population = kinds_[kind];
  std::int32_t tamed = 0;
  for (Member& member : population.creatures) {
    if (tamed == count) {
      break;
    }
    if (IsWildTeam(member.team)) {
      testbed::RetameCreature(member.creature, team);
      member.team = team;
      population.wild -= IsWildTeam(team) ? 0 : 1;
      ++tamed;
    }
  }
  return tamed;
}

std::int64_t SimWorld::Cull(std::size_t kind, double probability, SplitMix64& random) {
  KindPopulation& population = kinds_[kind];
  if (probability <= 0.0) {
    return 0;
  }
  auto kept_end = population.creatures.begin();
  for (const Member& member : population.creatures) {
    if (IsWildTeam(member.team) && random.Chance(probability)) {
      testbed::RemoveCreature(member.creature);
      continue;
    }
    *kept_end++ = member;
  }
  const auto culled = static_cast<std::int64_t>(population.creatures.end() - kept_end);
  population.creatures.erase(kept_end, population.creatures.end());
  population.wild -= culled;
  return culled;
}

const void* SimWorld::DefaultObjectOf(std::size_t kind) const {
  return kinds_[kind].game_kind->default_object;
}

std::int64_t SimWorld::WildCount(std::size_t kind) const { return kinds_[kind].wild; }

std::vector<std::int64_t> SimWorld::WildCounts() const {
  std::vector<std::int64_t> counts;
  counts.reserve(kinds_.size());
  for (const KindPopulation& population : kinds_) {
    counts.push_back(population.wild);
  }
  return counts;
}

std::vector<std::string> KindsWithoutPath(const std::vector<ScenarioKind>& kinds,
                                          const SimWorld& world) {
  std::vector<std::string> warnings;
  for (std::size_t kind = 0; kind < kinds.size(); ++kind) {
    FString path = BlueprintPathOf(world.DefaultObjectOf(kind));
    if (Length(path) == 0) {
      warnings.push_back("warning: kind " + Json(kinds[kind].id).dump() +
                         ": the plug-in makes no blueprint path of the full name " +
                         Json(kinds[kind].full_name).dump() +
                         ", so no config member caps it; give its \"blueprint_path\" as the "
                         "dump shows it");
    }
    Release(path);
  }
  return warnings;
}

namespace {

// The settings as the plug-in's start-up reads them, or nothing where that
// reading fails and the plug-in does not start. The reading is the plug-in's
// own, on the simulator's copy of its code, whose document the reader takes.
std::optional<SettingsReader> SettingsAtStartUp() {
  try {
    ReadSettings();
  } catch (const std::exception&) {
    return std::nullopt;
  }
  return SettingsReader(std::move(Settings()));
}

KindCap CapOf(const SettingsReader& settings, const CensusEntries& entries,
              const FString& path) {
  if (!entries.Counts(path)) {
    return KindCap{};
  }
  const LookupOutcome cap = settings.Cap(ToNarrow(path));
  return cap.value ? KindCap{true, *cap.value, std::nullopt} : KindCap{false, 0, cap.error};
}

}  // namespace

std::vector<KindCap> AppliedCaps(const SimWorld& world) {
  std::vector<KindCap> caps(world.KindCount());
  const std::optional<SettingsReader> settings = SettingsAtStartUp();
  if (!settings) {
    return caps;
  }
  const CensusEntries entries(settings->ConfiguredNames().names);
  for (std::size_t kind = 0; kind < caps.size(); ++kind) {
    caps[kind] = CapOf(*settings, entries, BlueprintPathOf(world.DefaultObjectOf(kind)));
  }
  return caps;
}

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
