#include "sim/world.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <iterator>
#include <limits>
#include <optional>
#include <utility>

#include "common/text.h"
#include "engine/fstring.h"
#include "engine/naming.h"
#include "game/game_world.h"
#include "plugin_rules/plugin_rules.h"
#include "population/settings_file.h"
#include "sim/scenario.h"

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

// Events a binomial draw expects in one part of its trials: few enough that
// the chance of none in a part, (1 - p)^part, stays far above the smallest
// double (about e^-280 at worst).
constexpr double kEventsPerPart = 200.0;

// base^exponent by squaring: multiplications only, each rounded alike on
// every platform, where std::pow's last bit may differ.
double Power(double base, std::int64_t exponent) {
  double result = 1.0;
  while (exponent > 0) {
    if ((exponent & 1) != 0) {
      result *= base;
    }
    base *= base;
    exponent >>= 1;
  }
  return result;
}

}  // namespace

std::int64_t SplitMix64::Binomial(std::int64_t trials, double probability) {
  if (trials <= 0 || !(probability > 0.0)) {
    return 0;
  }
  if (probability >= 1.0) {
    return trials;
  }
  if (probability > 0.5) {
    // Counting the events that do not happen keeps 1 - p at least 1/2.
    return trials - Binomial(trials, 1.0 - probability);
  }
  const double part_size = kEventsPerPart / probability;
  const std::int64_t part = part_size >= static_cast<double>(trials)
                                ? trials
                                : std::max<std::int64_t>(1, static_cast<std::int64_t>(part_size));
  const double odds = probability / (1.0 - probability);
  std::int64_t events = 0;
  for (std::int64_t left = trials; left > 0; left -= part) {
    // Inversion: the smallest k whose cumulative chance exceeds a uniform
    // number, walking the chances of k = 0, 1, 2, ... events.
    const std::int64_t n = std::min(left, part);
    const double unit = NextUnit();
    double chance = Power(1.0 - probability, n);
    double at_most = chance;
    std::int64_t k = 0;
    while (unit >= at_most && k < n) {
      chance *= static_cast<double>(n - k) / static_cast<double>(k + 1) * odds;
      ++k;
      at_most += chance;
    }
    events += k;
  }
  return events;
}

namespace {

bool IsWildTeam(std::int32_t team) { return team < kTamedTeam; }

// Gaps in a kind's wild creatures are left alone up to this many, however
// few the creatures, so that a small kind is not rebuilt at every death.
constexpr std::size_t kGapsWorthClosing = 32;

}  // namespace

SimWorld::SimWorld(const std::vector<ScenarioKind>& kinds) {
  for (const ScenarioKind& kind : kinds) {
    KindPopulation population;
    population.game_kind = testbed::AddKind(Utf16FromUtf8(kind.full_name));
    kinds_.push_back(std::move(population));
  }
}

void SimWorld::Keep(std::size_t kind, testbed::GameCreature* creature, std::int32_t team) {
  KindPopulation& population = kinds_[kind];
  const Member member{creature, arrivals_++};
  if (IsWildTeam(team)) {
    population.wild_members.push_back(member);
    ++population.wild;
  } else {
    population.tamed.push_back(member);
  }
}

void SimWorld::Vacate(KindPopulation& population, std::size_t member) {
  std::vector<Member>& members = population.wild_members;
  members[member].creature = nullptr;
  --population.wild;
  while (population.first_wild < members.size() &&
         members[population.first_wild].creature == nullptr) {
    ++population.first_wild;
  }
}

void SimWorld::RemoveWild(KindPopulation& population, std::size_t member) {
  testbed::RemoveCreature(population.wild_members[member].creature);
  Vacate(population, member);
}

void SimWorld::CloseGaps(KindPopulation& population) {
  std::vector<Member>& members = population.wild_members;
  const std::size_t gaps = members.size() - static_cast<std::size_t>(population.wild);
  if (gaps <= std::max(kGapsWorthClosing, static_cast<std::size_t>(population.wild))) {
    return;
  }
  members.erase(std::remove_if(members.begin(), members.end(),
                               [](const Member& member) { return member.creature == nullptr; }),
                members.end());
  population.first_wild = 0;
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
  for (; removed < count; ++removed) {
    const bool wild_left = population.first_wild < population.wild_members.size();
    if (!wild_left && population.tamed.empty()) {
      break;
    }
    if (wild_left &&
        (population.tamed.empty() || population.wild_members[population.first_wild].arrival <
                                         population.tamed.front().arrival)) {
      RemoveWild(population, population.first_wild);
    } else {
      testbed::RemoveCreature(population.tamed.front().creature);
      population.tamed.pop_front();
    }
  }
  CloseGaps(population);
  return removed;
}

std::int32_t SimWorld::TameOldestWild(std::size_t kind, std::int32_t count, std::int32_t team) {
  KindPopulation& population = kinds_[kind];
  std::vector<Member>& members = population.wild_members;
  std::vector<Member> newly_tamed;
  std::int32_t tamed = 0;
  for (std::size_t member = population.first_wild; member < members.size() && tamed < count;
       ++member) {
    if (members[member].creature == nullptr) {
      continue;
    }
    testbed::RetameCreature(members[member].creature, team);
    ++tamed;
    if (!IsWildTeam(team)) {
      newly_tamed.push_back(members[member]);
      Vacate(population, member);
    }
  }
  std::deque<Member> merged;
  std::merge(population.tamed.begin(), population.tamed.end(), newly_tamed.begin(),
             newly_tamed.end(), std::back_inserter(merged),
             [](const Member& a, const Member& b) { return a.arrival < b.arrival; });
  population.tamed.swap(merged);
  CloseGaps(population);
  return tamed;
}

std::int64_t SimWorld::Cull(std::size_t kind, double probability, SplitMix64& random) {
  KindPopulation& population = kinds_[kind];
  const std::int64_t deaths = random.Binomial(population.wild, probability);
  std::vector<Member>& members = population.wild_members;
  if (deaths == population.wild) {
    for (std::size_t member = population.first_wild; member < members.size(); ++member) {
      if (members[member].creature != nullptr) {
        RemoveWild(population, member);
      }
    }
  } else if (deaths * 2 <= population.wild) {
    // Few die: each death is drawn among the members from the first wild
    // one on, again until it falls on a creature. Gaps are closed once they
    // outnumber the creatures (or 32), so that takes two draws or so.
    for (std::int64_t death = 0; death < deaths; ++death) {
      const std::size_t span = members.size() - population.first_wild;
      std::size_t member = 0;
      do {
        member = population.first_wild + static_cast<std::size_t>(random.Below(span));
      } while (members[member].creature == nullptr);
      RemoveWild(population, member);
    }
  } else {
    // Most die: one walk over the wild chooses exactly `deaths` of them
    // (selection sampling), each creature as likely as any other.
    std::int64_t unseen = population.wild;
    std::int64_t to_choose = deaths;
    for (std::size_t member = population.first_wild; to_choose > 0; ++member) {
      if (members[member].creature == nullptr) {
        continue;
      }
      if (static_cast<std::int64_t>(random.Below(static_cast<std::uint64_t>(unseen))) < to_choose) {
        RemoveWild(population, member);
        --to_choose;
      }
      --unseen;
    }
  }
  CloseGaps(population);
  return deaths;
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

KindCap CapOf(const SettingsReader& settings, const CensusEntries& entries, const FString& path) {
  if (!entries.Counts(path)) {
    return KindCap{};
  }
  const LookupOutcome cap = settings.Cap(ToNarrow(path));
  return cap.value ? KindCap{true, *cap.value, std::nullopt} : KindCap{false, 0, cap.error};
}

}  // namespace

std::vector<KindCap> AppliedCaps(const SimWorld& world) {
  const std::optional<SettingsReader> settings = SettingsAtStartUp();
  return settings ? AppliedCaps(world, *settings) : std::vector<KindCap>(world.KindCount());
}

std::vector<KindCap> AppliedCaps(const SimWorld& world, const SettingsReader& settings) {
  std::vector<KindCap> caps(world.KindCount());
  const CensusEntries entries(settings.ConfiguredNames().names);
  for (std::size_t kind = 0; kind < caps.size(); ++kind) {
    caps[kind] = CapOf(settings, entries, BlueprintPathOf(world.DefaultObjectOf(kind)));
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

std::int64_t DwellTimes::WildSeconds(std::size_t kind) const {
  std::int64_t creature_seconds = 0;
  const std::vector<std::int64_t>& seconds = seconds_at_[kind];
  for (std::size_t count = 0; count < seconds.size(); ++count) {
    creature_seconds += static_cast<std::int64_t>(count) * seconds[count];
  }
  return creature_seconds;
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

std::int64_t HeldCount(std::int64_t cap) { return std::max<std::int64_t>(cap, 0); }

void ExcessTally::MeasureAgainst(const std::vector<KindCap>& caps) {
  held_.assign(excess_.size(), std::nullopt);
  for (std::size_t kind = 0; kind < caps.size() && kind < held_.size(); ++kind) {
    if (caps[kind].capped) {
      held_[kind] = HeldCount(caps[kind].cap);
    }
  }
}

void ExcessTally::Sample(const std::vector<std::int64_t>& wild, bool census, bool in_stretch) {
  censused_ = censused_ || census;
  if (in_stretch && censused_ && !held_.empty()) {
    if (!started_) {
      // The census counted the sample before this one, when there is one in
      // the stretch; a census before the stretch, its first sample.
      const std::vector<std::int64_t>& counted =
          census && last_wild_.size() == wild.size() ? last_wild_ : wild;
      started_ = true;
      for (std::size_t kind = 0; kind < wild.size(); ++kind) {
        lowest_[kind] = counted[kind];
        if (held_[kind]) {
          excess_[kind].counted = true;
          excess_[kind].at_first_census = std::max<std::int64_t>(0, counted[kind] - *held_[kind]);
        }
      }
    }
    for (std::size_t kind = 0; kind < wild.size(); ++kind) {
      lowest_[kind] = std::min(lowest_[kind], wild[kind]);
      if (held_[kind]) {
        const std::int64_t ceiling = std::max(*held_[kind], lowest_[kind]);
        excess_[kind].overshoot = std::max(excess_[kind].overshoot, wild[kind] - ceiling);
      }
    }
  }
  last_wild_ = in_stretch ? wild : std::vector<std::int64_t>{};
}

void PopulationHistory::Begin(std::int64_t time, const std::vector<std::int64_t>& wild) {
  if (Begun()) {
    return;
  }
  tally_.Begin(wild);
  excess_.Sample(wild, false, true);
  AddSample(time, wild, 0);
}

void PopulationHistory::Record(std::int64_t time, const std::vector<std::int64_t>& wild,
                               std::int64_t censuses) {
  excess_.Sample(wild, censuses > 0, Begun());
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
