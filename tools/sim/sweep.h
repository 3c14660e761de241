#pragma once

// The CheckInterval sweep: its values, the scenario's config with another
// interval and each way of counting, the outcome of each run, the advice,
// and its table.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sim/run.h"
#include "sim/scenario.h"

namespace dravelquin::sim {

// The values of --sweep, --tolerance and --min-tolerance:
//   --sweep CheckInterval=600,1800,3600   the intervals to run, in seconds
//   --sweep CheckInterval | --sweep       the default intervals
//   --tolerance 10                        per cent of the cap either way
//   --min-tolerance 2                     but at least this many creatures
//   --seeds 3                             runs per interval and way of counting

// The setting a sweep varies; the only one it can.
constexpr const char* kSweptSetting = "CheckInterval";
// From ten minutes to a day, the plug-in's own default.
const std::vector<std::int64_t> kDefaultSweepIntervals = {600, 1800, 3600, 7200, 21600, 86400};
// Each interval is one run of the scenario.
constexpr std::size_t kMaxSweepIntervals = 20;
// The largest interval the plug-in reads: a 32-bit whole number.
constexpr std::int64_t kMaxSweepInterval = 2147483647;
constexpr double kDefaultTolerancePercent = 10;
// Within 10% of a cap of 20 is two creatures, which chance alone crosses.
constexpr std::int64_t kDefaultToleranceCreatures = 2;
constexpr std::int64_t kMaxToleranceCreatures = 1000000;
constexpr std::int64_t kMaxSweepSeeds = 10;

// Whether the argument after --sweep is its value rather than the scenario:
// a name of letters, alone or followed by "=".
bool IsSweepValue(const std::string& argument);

// The intervals a --sweep value asks for, ascending. The value names the
// setting, alone for the default intervals or with "=" and a list of whole
// seconds from 0 to kMaxSweepInterval separated by commas. Raises
// UsageError for another setting, a malformed or repeated interval, or more
// than kMaxSweepIntervals of them.
std::vector<std::int64_t> IntervalsToSweep(const std::string& value);

// The per cent of a --tolerance value: a number above 0 and at most 100.
// Raises UsageError otherwise.
double TolerancePercent(const std::string& value);

// The creatures of a --min-tolerance value: a whole number from 0 to
// kMaxToleranceCreatures. Raises UsageError otherwise.
std::int64_t ToleranceCreatures(const std::string& value);

// The runs of a --seeds value: a whole number from 1 to kMaxSweepSeeds.
// Raises UsageError otherwise.
std::int64_t SeedCount(const std::string& value);

// `scenario` as a sweep runs it for its `round`th seed (from 0): round 0
// keeps every "run" step's seed, a later round derives another from each,
// the same for every interval, so that each round is another course of the
// same server life.
Scenario WithSeedRound(const Scenario& scenario, std::int64_t round);

// The ways of counting a sweep compares at each interval, as
// "General" > "ExactCaps" sets them: false, the gate counts from the last
// census; true, it also counts the creatures it let through since.
const std::vector<bool> kSweptCountings = {false, true};

// The config a sweep runs at one interval: the scenario's own (or the one
// --config gives) with "General" > "CheckInterval" set to that interval and
// nothing else changed.

// `config` with General.CheckInterval set to `seconds`, written compactly;
// a "General" that is missing is added. Raises InputProblem, "cannot sweep
// CheckInterval: REASON", when the config is not a document the sweep can
// change: none is given (the server dir's own config.json would run, which a
// sweep never writes), its text is not JSON (or gives a name twice, which
// rewriting would silently settle), or it or its "General" is not an object.
ScenarioConfig WithCheckInterval(const ScenarioConfig& config, std::int64_t seconds);

// The same with General.ExactCaps set to `exact` (a JSON boolean).
ScenarioConfig WithExactCaps(const ScenarioConfig& config, bool exact);
// `scenario` with `change` made to every config it writes: its own (or the
// one --config gives) and each "write_config" step's, so that a sweep's
// settings hold after every reload too. A step's config that the plug-in's
// reload refuses is written as it is, since none of its settings can take
// force; for any other that `change` raises InputProblem, the problem is
// raised again naming the step.
Scenario WithEveryConfig(const Scenario& scenario,
                         const std::function<ScenarioConfig(const ScenarioConfig&)>& change);

// What an interval sweep found: for each interval, how each capped kind's
// wild population moved around its cap and what the censuses took.

// The counts from `low` to `high` lie within `percent` per cent of `cap`
// either way, and at least `creatures` either way. A cap at or below 0
// holds the kind at none, so its band lies around 0.
struct CapBand {
  std::int64_t low = 0;
  std::int64_t high = 0;
};

CapBand BandAround(std::int64_t cap, double percent, std::int64_t creatures = 0);

// One capped kind over the recorded stretch of one run.
struct KindAtInterval {
  std::int64_t lowest = 0;     // its fewest wild creatures
  std::int64_t highest = 0;    // its most
  double share_within = 0;     // of the time, from 0 to 1, within the band around its cap
  std::int64_t destroyed = 0;  // creatures the gate destroyed
  CapExcess excess;            // above its cap from the first census on
  // Over several seeds: `share_within` is their mean, these its range.
  double share_lowest = 0;
  double share_highest = 0;
};

// One kind's outcome over the runs of several seeds (at least one): the
// fewest and the most of any, the mean share within and its range, the mean
// of the creatures destroyed (rounded), and the largest excesses, counted
// when every run counted the kind.
KindAtInterval OverSeeds(const std::vector<KindAtInterval>& runs);

// One run: an interval with one way of counting.
struct IntervalOutcome {
  std::int64_t interval = 0;          // CheckInterval, seconds
  std::vector<KindAtInterval> kinds;  // in the order of SweepOutcome::kinds
  CensusWork censuses;
  std::optional<std::string> load_failure;  // no "load" succeeded, and why the first failed
  bool exact_caps = false;                  // General.ExactCaps of the run
};

struct CappedKind {
  std::size_t index = 0;  // in the scenario's kinds
  std::string id;
  std::int64_t cap = 0;
};

struct SweepOutcome {
  std::string title;  // the scenario's file name
  double tolerance_percent = 0;
  std::int64_t tolerance_creatures = 0;  // the band's least margin either way
  std::int64_t seeds = 1;                // runs per interval and way of counting
  std::int64_t stretch_seconds = 0;      // of the recorded stretch
  std::vector<CappedKind> kinds;         // the kinds whose cap the plug-in applies (--only's)
  // Capped kinds that --only left out; a sentence says so when none is kept.
  std::size_t kinds_left_out = 0;
  // Ascending by interval; at each, one run per way of counting in the
  // order of kSweptCountings.
  std::vector<IntervalOutcome> intervals;
};

// The runs of a sweep with one way of counting, ascending by interval.
std::vector<const IntervalOutcome*> RunsCounting(const SweepOutcome& sweep, bool exact_caps);

// Which interval a sweep recommends: the longest that keeps a kind (or every
// capped kind) within the tolerance of its cap for most of the time, since a
// longer interval costs the server fewer censuses.

// The share of the time a kind must stay within the tolerance of its cap for
// an interval to be recommended.
constexpr double kWantedShareWithin = 0.9;

struct IntervalChoice {
  std::size_t interval = 0;  // index into the sweep's intervals
  bool meets = false;        // its share reaches kWantedShareWithin
};

// From each interval's share (ascending intervals): the longest whose share
// reaches kWantedShareWithin; when none does, the one of the highest share,
// the longer of equal ones. `shares` must not be empty.
IntervalChoice ChooseInterval(const std::vector<double>& shares);

// One kind's share at each of `runs` (index into the sweep's kinds).
std::vector<double> SharesOf(const std::vector<const IntervalOutcome*>& runs, std::size_t kind);

// At each of `runs`, the lowest share of any capped kind: the config's worst.
std::vector<double> LowestShares(const std::vector<const IntervalOutcome*>& runs);

// The kind of the lowest share at an interval (the first of equal ones).
std::size_t LeastKeptKind(const IntervalOutcome& interval);

// What an interval sweep tells an administrator: per capped kind, a table of
// how its wild population moved around its cap at each interval and what the
// censuses cost, with the interval recommended for it; then the interval
// recommended for the whole config.

// What a census costs the server per creature it goes through, in seconds:
// the census benchmark over 100,000 creatures with the lean allocator, which
// costs about what a server's own does (docs/benchmarks.md, 0.30 µs).
constexpr double kCensusSecondsPerCreature = 0.3e-6;

// A heading; for each capped kind its table, one row per run (the interval
// in seconds and ExactCaps, the runs of one interval side by side; the
// creatures above the cap at the first census; the most the kind rose above
// its cap from there on and the fewest below it, in numbers and per cent of
// the cap; the share of the time within the tolerance, over several seeds
// their mean with its range; the creatures the gate destroyed; the
// censuses, their estimated cost each and in all) and
// its recommendation line per way of counting; then the config's
// recommendation line per way of counting. When the plug-in did not load in
// some run, a line per such run in place of every recommendation. A
// sentence in place of the tables when no kind is capped or --only kept
// none.
std::string FormatSweep(const SweepOutcome& sweep);

}  // namespace dravelquin::sim
