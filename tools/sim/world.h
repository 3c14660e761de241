#pragma once

// The simulated world: seeded randomness, the kinds and creatures in the
// stand-in game, each kind's blueprint path and applied cap, and the
// history of each kind's population.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "game/game_objects.h"
#include "plugin_rules/plugin_rules.h"
#include "sim/scenario.h"

namespace dravelquin::sim {

// The simulator's own pseudo-random generator (SplitMix64), so that a
// generated stretch of server life is the same for a seed on every platform
// and standard library.

class SplitMix64 {
 public:
  explicit SplitMix64(std::uint64_t seed) : state_(seed) {}

  // The next 64 random bits.
  std::uint64_t Next();
  // A number in [0, 1) with 53 random bits.
  double NextUnit();
  // A number in [0, bound); 0 when bound is 0. Unbiased.
  std::uint64_t Below(std::uint64_t bound);
  // True with the given probability: never for 0 or less, always for 1 or more.
  bool Chance(double probability);
  // floor(amount), plus one with the probability of amount's fraction, so
  // that the mean is `amount`. Negative amounts give 0.
  std::int64_t RoundRandomly(double amount);
  // How many of `trials` independent events, each with `probability`,
  // happen: a binomial draw, by inversion on this generator's numbers with
  // nothing but arithmetic, so that it is the same on every platform. Costs
  // about one step per event that happens. 0 for a probability of 0 or less
  // or no trials; every trial for a probability of 1 or more.
  std::int64_t Binomial(std::int64_t trials, double probability);

 private:
  std::uint64_t state_;
};

// The game world as the simulator drives it: one game kind per scenario
// kind, and per kind the creatures it put into the world in the order they
// came, wild and tamed apart, so that removing and taming the oldest,
// counting the wild and drawing deaths among them are cheap. Memory grows
// with the creatures in the world at once, not with those that passed
// through it.

struct SpawnAnswer {
  std::int32_t level = 0;  // what the creature got as its base level
  bool destroyed = false;  // it left the world while asking
};

class SimWorld {
 public:
  // Adds one kind to the game per scenario kind, in order. The game must
  // have been reset before.
  explicit SimWorld(const std::vector<ScenarioKind>& kinds);

  // `count` creatures appear without asking for their base level.
  void Place(std::size_t kind, const std::u16string& name, std::int32_t team, std::int32_t count);
  // One creature appears and asks for its base level; the game's own answer
  // is `own_level`. A creature destroyed meanwhile is not kept.
  SpawnAnswer Spawn(std::size_t kind, const std::u16string& name, std::int32_t team,
                    std::int32_t own_level);
  // The oldest creatures of the kind, wild or tamed, leave the world.
  // Returns how many did (fewer when the kind has fewer).
  std::int32_t RemoveOldest(std::size_t kind, std::int32_t count);
  // The oldest wild creatures of the kind get `team`. Returns how many did.
  std::int32_t TameOldestWild(std::size_t kind, std::int32_t count, std::int32_t team);
  // Each wild creature of the kind leaves the world with `probability`,
  // independently of the others: how many leave is one binomial draw of
  // `random`, and which ones are drawn uniformly among the wild. Nothing is
  // drawn for a probability of 0. Returns how many left.
  std::int64_t Cull(std::size_t kind, double probability, SplitMix64& random);

  std::size_t KindCount() const { return kinds_.size(); }
  // The default object of the kind's class in the game: the object whose
  // full name the kind's blueprint path is made from.
  const void* DefaultObjectOf(std::size_t kind) const;

  std::int64_t WildCount(std::size_t kind) const;
  // The wild count of every kind, in kind order.
  std::vector<std::int64_t> WildCounts() const;

 private:
  struct Member {
    testbed::GameCreature* creature;  // null: a gap left by a creature gone
    std::uint64_t arrival;            // the order in which creatures came
  };

  struct KindPopulation {
    testbed::GameClass* game_kind = nullptr;
    // The wild creatures, oldest first. One that leaves leaves a gap, and
    // the gaps are closed once they outnumber the creatures. Members before
    // `first_wild` are all gaps.
    std::vector<Member> wild_members;
    std::size_t first_wild = 0;
    std::int64_t wild = 0;
    std::deque<Member> tamed;  // oldest first, without gaps
  };

  void Keep(std::size_t kind, testbed::GameCreature* creature, std::int32_t team);
  // Leaves a gap for the wild member; RemoveWild also takes it out of the
  // world.
  static void Vacate(KindPopulation& population, std::size_t member);
  static void RemoveWild(KindPopulation& population, std::size_t member);
  // Closes the gaps when they outnumber the wild creatures.
  static void CloseGaps(KindPopulation& population);

  std::vector<KindPopulation> kinds_;
  std::uint64_t arrivals_ = 0;
};

// Telling an administrator when a kind's full name gives no blueprint path,
// so that no config member can ever match its creatures.

// One warning line per kind of which the plug-in's own code makes an empty
// blueprint path, in the order of `kinds`.
std::vector<std::string> KindsWithoutPath(const std::vector<ScenarioKind>& kinds,
                                          const SimWorld& world);

// The cap the plug-in applies to each kind, for the summary and the chart.
// It is worked out by the plug-in's own code, run in the simulator beside the
// loaded plug-in: its reading of the settings file, its census's table, the
// gate's cap lookup and its blueprint path. For display only: what happens
// to creatures is the loaded plug-in's doing.

struct KindCap {
  bool capped = false;   // the census counts the kind and the gate reads a cap for it
  std::int64_t cap = 0;  // that cap
  // When the census counts the kind but the gate fails to read its cap: the
  // error the gate meets at each spawn, which it keeps to itself before
  // letting the creature live (`capped` is false).
  std::optional<std::string> broken;

  bool operator==(const KindCap& other) const {
    return capped == other.capped && cap == other.cap && broken == other.broken;
  }
  bool operator!=(const KindCap& other) const { return !(*this == other); }
};

// One entry per kind of `world`, from the settings file that the plug-in's
// start-up reads under the host's current dir. A kind is capped when the
// census makes an entry that its blueprint path matches and the gate reads
// its cap without an error; its cap is broken when the gate's reading
// raises an error (a member or "Count" of the wrong type). Where the
// plug-in counts nothing (no file, text that is not JSON, a "Dinos" the
// census fails on) no kind is capped.
std::vector<KindCap> AppliedCaps(const SimWorld& world);
// The same from a settings document already read, as a reload reads it.
std::vector<KindCap> AppliedCaps(const SimWorld& world, const SettingsReader& settings);

// What happened to each kind's wild population over a stretch of a scenario:
// a whole recorded scenario for the summary, or one generated run of server
// life for its trace line.

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

// How far each capped kind rose above its cap once the plug-in had counted
// it. The gate only ever destroys new creatures, so a kind the plug-in
// first finds above its cap stays there until its excess dies off; that
// starting excess is kept apart from the rises the gate let through.

// A cap at or below 0 holds the kind at none: counts above it are measured
// from 0.
std::int64_t HeldCount(std::int64_t cap);

struct CapExcess {
  bool counted = false;  // a census ran before the end of the stretch
  // Creatures above the cap when the plug-in first counted the kind (at
  // the start of the stretch when that census ran before it).
  std::int64_t at_first_census = 0;
  // The most the kind rose, from that census on, above the higher of its
  // cap and its lowest count since: creatures the gate let through beyond
  // the cap, not the starting excess dying off.
  std::int64_t overshoot = 0;
};

class ExcessTally {
 public:
  explicit ExcessTally(std::size_t kind_count) : excess_(kind_count), lowest_(kind_count) {}

  // The caps to measure against, one per kind; uncapped kinds are not
  // measured. Call before the first sample.
  void MeasureAgainst(const std::vector<KindCap>& caps);
  // A sample: one wild count per kind, whether a census ran since the
  // sample before (then the plug-in counted the sample before's counts),
  // and whether it lies within the recorded stretch.
  void Sample(const std::vector<std::int64_t>& wild, bool census, bool in_stretch);

  // Not counted for a kind that is not measured.
  const CapExcess& Of(std::size_t kind) const { return excess_[kind]; }

 private:
  std::vector<std::optional<std::int64_t>> held_;  // per kind: HeldCount of its cap
  std::vector<CapExcess> excess_;
  std::vector<std::int64_t> lowest_;  // per kind, since the first census
  std::vector<std::int64_t> last_wild_;
  bool censused_ = false;
  bool started_ = false;
};

// How long each kind's wild population stayed at each count over a recorded
// stretch, so that the share of time a kind spent near its cap can be read
// for any cap and tolerance afterwards. A sample's counts hold until the next
// sample, as the population changes only in the steps and ticks that are
// sampled. Memory grows with the highest count a kind reaches, not with the
// simulated time.

class DwellTimes {
 public:
  explicit DwellTimes(std::size_t kind_count) : seconds_at_(kind_count) {}

  // A sample taken at `time` (seconds), one wild count per kind in kind
  // order. The time since the sample before is credited to that sample's
  // counts; a clock set back credits nothing.
  void Sample(std::int64_t time, const std::vector<std::int64_t>& wild);

  // The share of the stretch, from 0 to 1, in which the kind's count was
  // from `low` to `high`. For a stretch that lasted no time: 1 when the last
  // count lies there, else 0; 0 before any sample.
  double ShareWithin(std::size_t kind, std::int64_t low, std::int64_t high) const;
  // The kind's creature-seconds: each count times the seconds it held.
  std::int64_t WildSeconds(std::size_t kind) const;

 private:
  std::vector<std::vector<std::int64_t>> seconds_at_;  // per kind, per count
  std::vector<std::int64_t> last_wild_;
  std::int64_t last_time_ = 0;
  std::int64_t total_seconds_ = 0;
};

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
  explicit PopulationHistory(std::size_t kind_count)
      : tally_(kind_count), dwell_(kind_count), excess_(kind_count) {}

  // Starts the stretch with its first sample; does nothing once begun.
  void Begin(std::int64_t time, const std::vector<std::int64_t>& wild);
  bool Begun() const { return tally_.Begun(); }
  // Adds a sample taken at `time` (seconds since 1970), one wild count per
  // kind in kind order, and the censuses the plug-in ran since the sample
  // before. Ignored before the stretch begins, but for telling when the
  // plug-in first counted.
  void Record(std::int64_t time, const std::vector<std::int64_t>& wild, std::int64_t censuses = 0);
  // Creatures that spawned and those of them the gate destroyed, and
  // creatures that died; ignored before the stretch begins.
  void AddSpawns(std::size_t kind, std::int64_t spawned, std::int64_t destroyed) {
    tally_.AddSpawns(kind, spawned, destroyed);
  }
  void AddDeaths(std::size_t kind, std::int64_t died) { tally_.AddDeaths(kind, died); }

  // All zeros when the stretch never began.
  const KindStretch& Summary(std::size_t kind) const { return tally_.Of(kind); }
  // Measures each capped kind's excess over its cap; call before the first
  // sample. Without it no kind's excess is counted.
  void MeasureExcessAgainst(const std::vector<KindCap>& caps) { excess_.MeasureAgainst(caps); }
  const CapExcess& Excess(std::size_t kind) const { return excess_.Of(kind); }
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

  void AddSample(std::int64_t time, const std::vector<std::int64_t>& wild, std::int64_t censuses);
  void OpenBucket(std::int64_t time, const std::vector<std::int64_t>& wild);
  void HalveBuckets();

  StretchTally tally_;
  DwellTimes dwell_;
  ExcessTally excess_;
  std::int64_t samples_ = 0;
  std::int64_t samples_per_bucket_ = 1;
  std::vector<Bucket> buckets_;
  std::vector<WildRange> ranges_;  // bucket-major: one range per kind per bucket
};

// The range of two neighbouring runs of samples, `earlier` then `later`.
WildRange Merged(const WildRange& earlier, const WildRange& later);

}  // namespace dravelquin::sim
