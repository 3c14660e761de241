#pragma once

// The CheckInterval sweep: its values, the scenario's config with another
// interval, the outcome of each run, the advice, and its table.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sim/run.h"
#include "sim/scenario.h"

namespace dravelquin::sim {

// The values of --sweep and --tolerance:
//   --sweep CheckInterval=600,1800,3600   the intervals to run, in seconds
//   --sweep CheckInterval | --sweep       the default intervals
//   --tolerance 10                        per cent of the cap either way

// The setting a sweep varies; the only one it can.
constexpr const char* kSweptSetting = "CheckInterval";
// From ten minutes to a day, the plug-in's own default.
const std::vector<std::int64_t> kDefaultSweepIntervals = {600, 1800, 3600, 7200, 21600, 86400};
// Each interval is one run of the scenario.
constexpr std::size_t kMaxSweepIntervals = 20;
// The largest interval the plug-in reads: a 32-bit whole number.
constexpr std::int64_t kMaxSweepInterval = 2147483647;
constexpr double kDefaultTolerancePercent = 10;

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
// either way.
struct CapBand {
  std::int64_t low = 0;
  std::int64_t high = 0;
};

CapBand BandAround(std::int64_t cap, double percent);

// One capped kind over the recorded stretch of one run.
struct KindAtInterval {
  std::int64_t lowest = 0;     // its fewest wild creatures
  std::int64_t highest = 0;    // its most
  double share_within = 0;     // of the time, from 0 to 1, within the band around its cap
  std::int64_t destroyed = 0;  // creatures the gate destroyed
};

struct IntervalOutcome {
  std::int64_t interval = 0;          // CheckInterval, seconds
  std::vector<KindAtInterval> kinds;  // in the order of SweepOutcome::kinds
  CensusWork censuses;
  std::optional<std::string> load_failure;  // the plug-in did not load
};

struct CappedKind {
  std::size_t index = 0;  // in the scenario's kinds
  std::string id;
  std::int64_t cap = 0;
};

struct SweepOutcome {
  std::string title;  // the scenario's file name
  double tolerance_percent = 0;
  std::int64_t stretch_seconds = 0;        // of the recorded stretch
  std::vector<CappedKind> kinds;           // the kinds whose cap the plug-in applies
  std::vector<IntervalOutcome> intervals;  // ascending
};

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

// One kind's share at each interval (index into the sweep's kinds).
std::vector<double> SharesOf(const SweepOutcome& sweep, std::size_t kind);

// At each interval, the lowest share of any capped kind: the config's worst.
std::vector<double> LowestShares(const SweepOutcome& sweep);

// The kind of the lowest share at an interval (the first of equal ones).
std::size_t LeastKeptKind(const IntervalOutcome& interval);

// What an interval sweep tells an administrator: per capped kind, a table of
// how its wild population moved around its cap at each interval and what the
// censuses cost, with the interval recommended for it; then the interval
// recommended for the whole config.

// What a census costs the server per creature it goes through, in seconds:
// the census benchmark over 100,000 creatures with the lean allocator, which
// costs about what a server's own does, as first measured (0.81 µs). The
// census has since become cheaper (docs/benchmarks.md), so the estimate errs
// high.
constexpr double kCensusSecondsPerCreature = 0.8e-6;

// A heading; for each capped kind its table, one row per interval (the
// interval in seconds; the most and the fewest wild creatures above and
// below the cap, in numbers and per cent of the cap; the share of the time
// within the tolerance; the creatures the gate destroyed; the censuses,
// their estimated cost each and in all) and its recommendation line; then
// the config's recommendation line. When the plug-in did not load in some
// run, a line per such run in place of every recommendation. A sentence in
// place of the tables when no kind is capped.
std::string FormatSweep(const SweepOutcome& sweep);

}  // namespace dravelquin::sim
