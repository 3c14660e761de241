#include "tools/sim/sweep_table.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "tools/sim/sweep_advice.h"
#include "tools/sim/sweep_arguments.h"
#include "tools/sim/text_table.h"

namespace dravelquin::sim {

namespace {

constexpr double kSecondsPerHour = 3600.0;
const char* const kHeadings[] = {"interval (s)", "above cap", "below cap", "within",
                                 "destroyed",    "censuses",  "each",      "in all"};

std::string Printed(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// Rounded down to a tenth of a per cent, so that a share just short of the
// wanted one is never shown as reaching it.
std::string ShareText(double share) { return Printed("%.1f%%", std::floor(share * 1000) / 10); }

// "123 (41.0%)": a count's distance from the cap, and that as a per cent of
// the cap ("-" for a cap of 0).
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

// "within 10% of its cap 90% of the time"
std::string Aim(const SweepOutcome& sweep) {
  return "within " + Printed("%g", sweep.tolerance_percent) + "% of its cap " +
         Printed("%g", kWantedShareWithin * 100) + "% of the time";
}

TableRow RowOf(const IntervalOutcome& interval, const KindAtInterval& kind, std::int64_t cap) {
  const CensusWork& work = interval.censuses;
  const std::string each =
      work.censuses > 0 ? DurationText(CensusSeconds(work) / static_cast<double>(work.censuses))
                        : "-";
  return TableRow{std::to_string(interval.interval),
                  DistanceText(std::max<std::int64_t>(0, kind.highest - cap), cap),
                  DistanceText(std::max<std::int64_t>(0, cap - kind.lowest), cap),
                  ShareText(kind.share_within),
                  std::to_string(kind.destroyed),
                  std::to_string(work.censuses),
                  each,
                  DurationText(CensusSeconds(work))};
}

std::string KindAdvice(const SweepOutcome& sweep, std::size_t kind) {
  const std::vector<double> shares = SharesOf(sweep, kind);
  const IntervalChoice choice = ChooseInterval(shares);
  const std::string& id = sweep.kinds[kind].id;
  const std::string interval = std::to_string(sweep.intervals[choice.interval].interval);
  const std::string share = ShareText(shares[choice.interval]);
  if (choice.meets) {
    return id + ": " + kSweptSetting + " " + interval + " is the longest tried that keeps it " +
           Aim(sweep) + " or more (" + share + ").\n";
  }
  return id + ": no " + kSweptSetting + " tried keeps it " + Aim(sweep) + "; the best is " +
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
  std::vector<TableRow> rows{TableRow(std::begin(kHeadings), std::end(kHeadings))};
  for (const IntervalOutcome& interval : sweep.intervals) {
    rows.push_back(RowOf(interval, interval.kinds[kind], capped.cap));
  }
  const std::string advice = EveryRunLoaded(sweep) ? KindAdvice(sweep, kind) : "";
  return capped.id + " (cap " + std::to_string(capped.cap) + "):\n" +
         AlignedTable(rows, FirstColumn::kNumbers) + advice + "\n";
}

// "its 72 censuses take about 161.9 ms of server time in 36.0 hours"
std::string CensusCost(const SweepOutcome& sweep, const IntervalOutcome& interval) {
  return "its " + std::to_string(interval.censuses.censuses) + " censuses take about " +
         DurationText(CensusSeconds(interval.censuses)) + " of server time in " +
         HoursText(sweep.stretch_seconds) + " hours";
}

std::string ConfigAdvice(const SweepOutcome& sweep) {
  const IntervalChoice choice = ChooseInterval(LowestShares(sweep));
  const IntervalOutcome& chosen = sweep.intervals[choice.interval];
  const std::size_t least_kept = LeastKeptKind(chosen);
  const KindAtInterval& least = chosen.kinds[least_kept];
  const std::string& least_id = sweep.kinds[least_kept].id;
  const std::string interval = std::to_string(chosen.interval);
  if (choice.meets) {
    return "config: " + std::string(kSweptSetting) + " " + interval +
           " is the longest tried that keeps every capped kind " + Aim(sweep) +
           " or more (the least kept, " + least_id + ", " + ShareText(least.share_within) +
           "); " + CensusCost(sweep, chosen) + ".\n";
  }
  return "config: no " + std::string(kSweptSetting) + " tried keeps every capped kind " +
         Aim(sweep) + "; the best is " + interval + ", where the least kept, " + least_id +
         ", is within it " + ShareText(least.share_within) + " of the time; " +
         CensusCost(sweep, chosen) + ".\n";
}

std::string LoadFailures(const SweepOutcome& sweep) {
  std::string lines;
  for (const IntervalOutcome& interval : sweep.intervals) {
    if (interval.load_failure) {
      lines += std::string(kSweptSetting) + " " + std::to_string(interval.interval) +
               ": the plug-in did not load (" + *interval.load_failure +
               "), so nothing was capped in that run.\n";
    }
  }
  return lines;
}

std::string Heading(const SweepOutcome& sweep) {
  const std::size_t runs = sweep.intervals.size();
  return std::string(kSweptSetting) + " sweep of " + sweep.title + ": " + std::to_string(runs) +
         (runs == 1 ? " run" : " runs") + " of " + HoursText(sweep.stretch_seconds) +
         " simulated hours with the same seeds.\n\"within\": the share of the time within " +
         Printed("%g", sweep.tolerance_percent) + "% of the cap. A census is estimated at " +
         DurationText(kCensusSecondsPerCreature) + " per creature it counts.\n\n";
}

}  // namespace

std::string FormatSweep(const SweepOutcome& sweep) {
  std::string text = Heading(sweep);
  if (sweep.kinds.empty()) {
    return text +
           "No kind of the scenario is capped by its config: there is nothing to compare.\n" +
           LoadFailures(sweep);
  }
  for (std::size_t kind = 0; kind < sweep.kinds.size(); ++kind) {
    text += KindSection(sweep, kind);
  }
  if (!EveryRunLoaded(sweep)) {
    return text + LoadFailures(sweep) +
           "No interval is recommended from runs without the plug-in.\n";
  }
  return text + ConfigAdvice(sweep);
}

}  // namespace dravelquin::sim
