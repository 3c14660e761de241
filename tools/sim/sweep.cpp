#include "sim/sweep.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <locale>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "common/command_line.h"
#include "common/files.h"
#include "plugin_rules/plugin_rules.h"
#include "sim/report.h"
#include "sim/scenario.h"

namespace dravelquin::sim {

namespace {

// `text` as a whole number from `low` to `high`, or a usage error naming
// `option` and what the number counts (`counting`, "" for a bare number):
// WholeNumberIn("--seeds", "3", 1, 10, "") == 3; "", "+3", " 3", "3.0" and
// "11" are refused.
std::int64_t WholeNumberIn(const char* option, const std::string& text, std::int64_t low,
                           std::int64_t high, const std::string& counting) {
  std::int64_t number = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, number);
  if (text.empty() || error != std::errc() || stop != end || number < low || number > high) {
    throw UsageError(std::string(option) + ": \"" + text + "\" is not a whole number" +
                     (counting.empty() ? "" : " of " + counting) + " from " + std::to_string(low) +
                     " to " + std::to_string(high));
  }
  return number;
}

std::int64_t IntervalOf(const std::string& text) {
  return WholeNumberIn("--sweep", text, 0, kMaxSweepInterval, "seconds");
}

std::vector<std::int64_t> IntervalList(const std::string& list) {
  std::vector<std::int64_t> intervals;
  std::istringstream in(list);
  for (std::string item; std::getline(in, item, ',');) {
    intervals.push_back(IntervalOf(item));
  }
  if (list.empty() || list.back() == ',') {
    intervals.push_back(IntervalOf(""));
  }
  std::sort(intervals.begin(), intervals.end());
  const auto repeated = std::adjacent_find(intervals.begin(), intervals.end());
  if (repeated != intervals.end()) {
    throw UsageError("--sweep: the interval " + std::to_string(*repeated) + " is given twice");
  }
  if (intervals.size() > kMaxSweepIntervals) {
    throw UsageError("--sweep: " + std::to_string(intervals.size()) + " intervals, more than the " +
                     std::to_string(kMaxSweepIntervals) + " a sweep runs");
  }
  return intervals;
}

}  // namespace

bool IsSweepValue(const std::string& argument) {
  const std::size_t name_end = std::min(argument.find('='), argument.size());
  return name_end > 0 &&
         std::all_of(argument.begin(), argument.begin() + static_cast<std::ptrdiff_t>(name_end),
                     [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; });
}

std::vector<std::int64_t> IntervalsToSweep(const std::string& value) {
  const std::size_t equals = value.find('=');
  const std::string setting = value.substr(0, equals);
  if (setting != kSweptSetting) {
    throw UsageError("--sweep: only " + std::string(kSweptSetting) + " can be swept, not " +
                     setting);
  }
  return equals == std::string::npos ? kDefaultSweepIntervals
                                     : IntervalList(value.substr(equals + 1));
}

double TolerancePercent(const std::string& value) {
  // A stream in the classic locale: a point before the fraction wherever it runs.
  std::istringstream in(value);
  in.imbue(std::locale::classic());
  double percent = 0;
  in >> std::noskipws >> percent;
  if (!in || in.peek() != std::char_traits<char>::eof() || !(percent > 0 && percent <= 100)) {
    throw UsageError("--tolerance: \"" + value + "\" is not a per cent above 0 and at most 100");
  }
  return percent;
}

std::int64_t ToleranceCreatures(const std::string& value) {
  return WholeNumberIn("--min-tolerance", value, 0, kMaxToleranceCreatures, "creatures");
}

std::int64_t SeedCount(const std::string& value) {
  return WholeNumberIn("--seeds", value, 1, kMaxSweepSeeds, "");
}

Scenario WithSeedRound(const Scenario& scenario, std::int64_t round) {
  // An odd constant spreads the rounds' seeds apart from the scenario's
  // own, which are often 1, 2, 3, ...
  constexpr std::uint64_t kRoundStride = 0x9E3779B97F4A7C15ULL;
  Scenario derived = scenario;
  for (Step& step : derived.steps) {
    if (auto* run = std::get_if<RunStep>(&step.action)) {
      run->seed ^= static_cast<std::uint64_t>(round) * kRoundStride;
    }
  }
  return derived;
}

namespace {

[[noreturn]] void CannotSweep(const std::string& reason) {
  throw InputProblem("cannot sweep CheckInterval: " + reason);
}

Json ConfigDocument(const ScenarioConfig& config) {
  if (config.source == ConfigSource::kExisting) {
    CannotSweep(
        "the scenario gives no config, and a sweep never runs a server dir's own config.json; "
        "give one in the scenario or with --config FILE");
  }
  try {
    return ParseStrictJson(config.text);
  } catch (const ScenarioError& error) {
    CannotSweep(std::string("the config is not a JSON document it can change (") + error.what() +
                ")");
  }
}

}  // namespace

namespace {

ScenarioConfig WithGeneralSetting(const ScenarioConfig& config, const char* name,
                                  const Json& value) {
  Json document = ConfigDocument(config);
  if (!document.is_object()) {
    CannotSweep("the config's top level is not an object");
  }
  Json& general = document["General"];
  if (!general.is_null() && !general.is_object()) {
    CannotSweep("the config's \"General\" is not an object");
  }
  general[name] = value;
  return ScenarioConfig{config.source, document.dump() + "\n"};
}

}  // namespace

ScenarioConfig WithCheckInterval(const ScenarioConfig& config, std::int64_t seconds) {
  return WithGeneralSetting(config, "CheckInterval", seconds);
}

ScenarioConfig WithExactCaps(const ScenarioConfig& config, bool exact) {
  return WithGeneralSetting(config, "ExactCaps", exact);
}

Scenario WithEveryConfig(const Scenario& scenario,
                         const std::function<ScenarioConfig(const ScenarioConfig&)>& change) {
  Scenario changed = scenario;
  changed.config = change(scenario.config);
  for (std::size_t index = 0; index < changed.steps.size(); ++index) {
    auto* write = std::get_if<WriteConfigStep>(&changed.steps[index].action);
    if (write == nullptr || ReloadRefusalOfText(write->config.text)) {
      continue;
    }
    try {
      write->config = change(write->config);
    } catch (const InputProblem& problem) {
      throw InputProblem("step " + std::to_string(index) +
                         " (\"write_config\"): " + problem.what());
    }
  }
  return changed;
}

namespace {

// Keeps a margin such as 300 × 10% = 30 whole where floating point would
// land a hair below it.
constexpr double kRoundingSlack = 1e-9;

}  // namespace

CapBand BandAround(std::int64_t cap, double percent, std::int64_t creatures) {
  const std::int64_t held = HeldCount(cap);
  const auto margin = std::max(
      creatures, static_cast<std::int64_t>(
                     std::floor(static_cast<double>(held) * percent / 100 + kRoundingSlack)));
  return CapBand{held - margin, held + margin};
}

KindAtInterval OverSeeds(const std::vector<KindAtInterval>& runs) {
  KindAtInterval combined = runs.front();
  combined.share_lowest = combined.share_highest = combined.share_within;
  double shares = 0;
  std::int64_t destroyed = 0;
  for (const KindAtInterval& run : runs) {
    combined.lowest = std::min(combined.lowest, run.lowest);
    combined.highest = std::max(combined.highest, run.highest);
    combined.share_lowest = std::min(combined.share_lowest, run.share_within);
    combined.share_highest = std::max(combined.share_highest, run.share_within);
    shares += run.share_within;
    destroyed += run.destroyed;
    combined.excess.counted = combined.excess.counted && run.excess.counted;
    combined.excess.at_first_census =
        std::max(combined.excess.at_first_census, run.excess.at_first_census);
    combined.excess.overshoot = std::max(combined.excess.overshoot, run.excess.overshoot);
  }
  const auto count = static_cast<double>(runs.size());
  combined.share_within = shares / count;
  combined.destroyed = std::llround(static_cast<double>(destroyed) / count);
  return combined;
}

std::vector<const IntervalOutcome*> RunsCounting(const SweepOutcome& sweep, bool exact_caps) {
  std::vector<const IntervalOutcome*> runs;
  for (const IntervalOutcome& run : sweep.intervals) {
    if (run.exact_caps == exact_caps) {
      runs.push_back(&run);
    }
  }
  return runs;
}

IntervalChoice ChooseInterval(const std::vector<double>& shares) {
  for (std::size_t index = shares.size(); index-- > 0;) {
    if (shares[index] >= kWantedShareWithin) {
      return IntervalChoice{index, true};
    }
  }
  std::size_t best = 0;
  for (std::size_t index = 1; index < shares.size(); ++index) {
    if (shares[index] >= shares[best]) {
      best = index;
    }
  }
  return IntervalChoice{best, false};
}

std::vector<double> SharesOf(const std::vector<const IntervalOutcome*>& runs, std::size_t kind) {
  std::vector<double> shares;
  shares.reserve(runs.size());
  for (const IntervalOutcome* run : runs) {
    shares.push_back(run->kinds[kind].share_within);
  }
  return shares;
}

std::vector<double> LowestShares(const std::vector<const IntervalOutcome*>& runs) {
  std::vector<double> lowest;
  lowest.reserve(runs.size());
  for (const IntervalOutcome* run : runs) {
    lowest.push_back(run->kinds[LeastKeptKind(*run)].share_within);
  }
  return lowest;
}

std::size_t LeastKeptKind(const IntervalOutcome& interval) {
  const auto least = std::min_element(interval.kinds.begin(), interval.kinds.end(),
                                      [](const KindAtInterval& a, const KindAtInterval& b) {
                                        return a.share_within < b.share_within;
                                      });
  return static_cast<std::size_t>(least - interval.kinds.begin());
}

namespace {

constexpr double kSecondsPerHour = 3600.0;
const char* const kHeadings[] = {"interval (s)", "ExactCaps", "start excess", "above cap",
                                 "below cap",    "within",    "destroyed",    "censuses",
                                 "each",         "in all"};

std::string Printed(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// Rounded down to a tenth of a per cent, so that a share just short of the
// wanted one is never shown as reaching it.
std::string ShareText(double share) { return Printed("%.1f%%", std::floor(share * 1000) / 10); }

// "123 (41.0%)": a count's distance from the cap, and that as a per cent of
// the cap ("-" for a cap at or below 0).
std::string DistanceText(std::int64_t distance, std::int64_t cap) {
  const std::string percent =
      cap > 0 ? Printed("%.1f%%", 100.0 * static_cast<double>(distance) / static_cast<double>(cap))
              : "-";
  return std::to_string(distance) + " (" + percent + ")";
}

std::string DurationText(double seconds) {
  if (seconds < 1e-3) {
    return Printed("%.1f µs", seconds * 1e6);
  }
  return seconds < 1 ? Printed("%.1f ms", seconds * 1e3) : Printed("%.2f s", seconds);
}

double CensusSeconds(const CensusWork& work) {
  return static_cast<double>(work.creatures) * kCensusSecondsPerCreature;
}

std::string HoursText(std::int64_t seconds) {
  return Printed("%.1f", static_cast<double>(seconds) / kSecondsPerHour);
}

std::string Counting(bool exact_caps) { return exact_caps ? "true" : "false"; }

// "10% (at least 2 creatures)"
std::string ToleranceText(const SweepOutcome& sweep) {
  std::string text = Printed("%g", sweep.tolerance_percent) + "%";
  if (sweep.tolerance_creatures > 0) {
    text += " (at least " + std::to_string(sweep.tolerance_creatures) +
            (sweep.tolerance_creatures == 1 ? " creature)" : " creatures)");
  }
  return text;
}

// "within 10% (at least 2 creatures) of its cap 90% of the time"
std::string Aim(const SweepOutcome& sweep) {
  return "within " + ToleranceText(sweep) + " of its cap " +
         Printed("%g", kWantedShareWithin * 100) + "% of the time";
}

// "93.0%", or over several seeds "93.0% (87.9-99.5)": the mean and its range.
std::string WithinText(const SweepOutcome& sweep, const KindAtInterval& kind) {
  if (sweep.seeds <= 1) {
    return ShareText(kind.share_within);
  }
  return ShareText(kind.share_within) + " (" +
         Printed("%.1f", std::floor(kind.share_lowest * 1000) / 10) + "-" +
         Printed("%.1f", std::floor(kind.share_highest * 1000) / 10) + ")";
}

TableRow RowOf(const SweepOutcome& sweep, const IntervalOutcome& interval,
               const KindAtInterval& kind, std::int64_t cap) {
  const CensusWork& work = interval.censuses;
  const std::int64_t held = HeldCount(cap);
  const std::string each =
      work.censuses > 0 ? DurationText(CensusSeconds(work) / static_cast<double>(work.censuses))
                        : "-";
  const bool counted = kind.excess.counted;
  return TableRow{std::to_string(interval.interval),
                  Counting(interval.exact_caps),
                  counted ? std::to_string(kind.excess.at_first_census) : "-",
                  counted ? DistanceText(kind.excess.overshoot, cap) : "-",
                  DistanceText(std::max<std::int64_t>(0, held - kind.lowest), cap),
                  WithinText(sweep, kind),
                  std::to_string(kind.destroyed),
                  std::to_string(work.censuses),
                  each,
                  DurationText(CensusSeconds(work))};
}

std::string KindAdvice(const SweepOutcome& sweep, std::size_t kind, bool exact_caps) {
  const std::vector<const IntervalOutcome*> runs = RunsCounting(sweep, exact_caps);
  const std::vector<double> shares = SharesOf(runs, kind);
  const IntervalChoice choice = ChooseInterval(shares);
  const std::string subject = sweep.kinds[kind].id + ", ExactCaps " + Counting(exact_caps);
  const std::string interval = std::to_string(runs[choice.interval]->interval);
  const std::string share = ShareText(shares[choice.interval]);
  if (choice.meets) {
    return subject + ": " + kSweptSetting + " " + interval +
           " is the longest tried that keeps it " + Aim(sweep) + " or more (" + share + ").\n";
  }
  return subject + ": no " + kSweptSetting + " tried keeps it " + Aim(sweep) + "; the best is " +
         interval + " (" + share + ").\n";
}

bool EveryRunLoaded(const SweepOutcome& sweep) {
  for (const IntervalOutcome& interval : sweep.intervals) {
    if (interval.load_failure) {
      return false;
    }
  }
  return true;
}

std::string KindSection(const SweepOutcome& sweep, std::size_t kind) {
  const CappedKind& capped = sweep.kinds[kind];
  const CapBand band = BandAround(capped.cap, sweep.tolerance_percent, sweep.tolerance_creatures);
  std::vector<TableRow> rows{TableRow(std::begin(kHeadings), std::end(kHeadings))};
  for (const IntervalOutcome& interval : sweep.intervals) {
    rows.push_back(RowOf(sweep, interval, interval.kinds[kind], capped.cap));
  }
  std::string advice;
  for (const bool exact_caps : kSweptCountings) {
    advice += EveryRunLoaded(sweep) && !RunsCounting(sweep, exact_caps).empty()
                  ? KindAdvice(sweep, kind, exact_caps)
                  : "";
  }
  const std::string held = capped.cap > 0 ? "" : ", at or below 0: every new creature is destroyed";
  return capped.id + " (cap " + std::to_string(capped.cap) + held + ", within " +
         std::to_string(std::max<std::int64_t>(0, band.low)) + " to " + std::to_string(band.high) +
         "):\n" + AlignedTable(rows, FirstColumn::kNumbers) + advice + "\n";
}

// "its 72 censuses take about 161.9 ms of server time in 36.0 hours"
std::string CensusCost(const SweepOutcome& sweep, const IntervalOutcome& interval) {
  return "its " + std::to_string(interval.censuses.censuses) + " censuses take about " +
         DurationText(CensusSeconds(interval.censuses)) + " of server time in " +
         HoursText(sweep.stretch_seconds) + " hours";
}

// The kinds the config's line judges: all it caps, or those --only kept.
std::string EveryKind(const SweepOutcome& sweep) {
  return sweep.kinds_left_out > 0 ? "every capped kind swept" : "every capped kind";
}

std::string ConfigAdvice(const SweepOutcome& sweep, bool exact_caps) {
  const std::vector<const IntervalOutcome*> runs = RunsCounting(sweep, exact_caps);
  if (runs.empty()) {
    return "";
  }
  const IntervalChoice choice = ChooseInterval(LowestShares(runs));
  const IntervalOutcome& chosen = *runs[choice.interval];
  const std::size_t least_kept = LeastKeptKind(chosen);
  const KindAtInterval& least = chosen.kinds[least_kept];
  const std::string& least_id = sweep.kinds[least_kept].id;
  const std::string subject = "config, ExactCaps " + Counting(exact_caps);
  const std::string interval = std::to_string(chosen.interval);
  if (choice.meets) {
    return subject + ": " + kSweptSetting + " " + interval + " is the longest tried that keeps " +
           EveryKind(sweep) + " " + Aim(sweep) + " or more (the least kept, " + least_id + ", " +
           ShareText(least.share_within) + "); " + CensusCost(sweep, chosen) + ".\n";
  }
  return subject + ": no " + kSweptSetting + " tried keeps " + EveryKind(sweep) + " " + Aim(sweep) +
         "; the best is " + interval + ", where the least kept, " + least_id + ", is within it " +
         ShareText(least.share_within) + " of the time; " + CensusCost(sweep, chosen) + ".\n";
}

std::string LoadFailures(const SweepOutcome& sweep) {
  std::string lines;
  for (const IntervalOutcome& interval : sweep.intervals) {
    if (interval.load_failure) {
      lines += std::string(kSweptSetting) + " " + std::to_string(interval.interval) +
               ", ExactCaps " + Counting(interval.exact_caps) + ": the plug-in did not load (" +
               *interval.load_failure + "), so nothing was capped in that run.\n";
    }
  }
  return lines;
}

std::string Heading(const SweepOutcome& sweep) {
  const auto runs = static_cast<std::int64_t>(sweep.intervals.size()) * sweep.seeds;
  const std::string seeds =
      sweep.seeds <= 1 ? "the same seeds"
                       : std::to_string(sweep.seeds) + " seeds each, the same for every interval";
  const std::string spread = sweep.seeds <= 1 ? "" : " (over the seeds: their mean, and its range)";
  return std::string(kSweptSetting) + " sweep of " + sweep.title + ": " + std::to_string(runs) +
         (runs == 1 ? " run" : " runs") + " of " + HoursText(sweep.stretch_seconds) +
         " simulated hours with " + seeds +
         ", at each interval one with ExactCaps false and one with true.\n\"start excess\": "
         "above the cap at the first census. \"above cap\": the most it rose above the cap from "
         "there on, the start excess aside. \"within\": the share of the time within " +
         ToleranceText(sweep) + " of the cap" + spread + ". A census is estimated at " +
         DurationText(kCensusSecondsPerCreature) + " per creature it counts.\n\n";
}

}  // namespace

std::string FormatSweep(const SweepOutcome& sweep) {
  std::string text = Heading(sweep);
  if (sweep.kinds.empty()) {
    const std::string none =
        sweep.kinds_left_out > 0
            ? "No capped kind of the scenario matches --only: there is nothing to compare.\n"
            : "No kind of the scenario is capped by its config: there is nothing to compare.\n";
    return text + none + LoadFailures(sweep);
  }
  for (std::size_t kind = 0; kind < sweep.kinds.size(); ++kind) {
    text += KindSection(sweep, kind);
  }
  if (!EveryRunLoaded(sweep)) {
    return text + LoadFailures(sweep) +
           "No interval is recommended from runs without the plug-in.\n";
  }
  for (const bool exact_caps : kSweptCountings) {
    text += ConfigAdvice(sweep, exact_caps);
  }
  return text;
}

}  // namespace dravelquin::sim
