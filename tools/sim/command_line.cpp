#include "sim/command_line.h"

#include <cstdio>
#include <filesystem>

#include "sim/charts.h"
#include "sim/report.h"
#include "sim/run.h"
#include "sim/sweep.h"

namespace dravelquin::sim {

namespace {

std::string ValueAfter(const std::vector<std::string>& arguments, std::size_t& index) {
  if (index + 1 >= arguments.size()) {
    throw UsageError(arguments[index] + " needs a value");
  }
  return arguments[++index];
}

// A sweep runs each interval in a temporary server dir of its own and prints
// only its tables.
void CheckSweepCombination(const Options& options, bool tolerance_given) {
  if (!options.sweep) {
    if (tolerance_given) {
      throw UsageError("--tolerance goes with --sweep");
    }
    return;
  }
  const char* refused = options.server_dir  ? "--server-dir"
                        : options.overwrite ? "--overwrite"
                        : options.report    ? "--report"
                                            : nullptr;
  if (refused != nullptr) {
    throw UsageError(std::string(refused) +
                     " does not go with --sweep, which runs each interval in a temporary "
                     "server dir of its own and prints only its tables");
  }
}

// "By default:\nCheckInterval=600,1800,... and --tolerance 10."
std::string SweepDefaults() {
  std::string intervals;
  for (const std::int64_t seconds : kDefaultSweepIntervals) {
    intervals += (intervals.empty() ? "" : ",") + std::to_string(seconds);
  }
  char tolerance[32];
  std::snprintf(tolerance, sizeof tolerance, "%g", kDefaultTolerancePercent);
  return "By default:\n" + std::string(kSweptSetting) + "=" + intervals + " and --tolerance " +
         tolerance + ".";
}

}  // namespace

Options ParseCommandLine(const std::vector<std::string>& arguments,
                         const std::string& default_plugin) {
  Options options;
  options.plugin = default_plugin;
  std::vector<std::string> scenarios;
  bool tolerance_given = false;
  for (std::size_t index = 0; index < arguments.size(); ++index) {
    const std::string& argument = arguments[index];
    if (argument == "--server-dir") {
      options.server_dir = ValueAfter(arguments, index);
    } else if (argument == "--config") {
      options.config = ValueAfter(arguments, index);
    } else if (argument == "--overwrite") {
      options.overwrite = true;
    } else if (argument == "--version") {
      options.version = true;
    } else if (argument == "--chart") {
      options.chart = ValueAfter(arguments, index);
    } else if (argument == "--plugin") {
      options.plugin = ValueAfter(arguments, index);
    } else if (argument == "--report") {
      options.report = true;
    } else if (argument == "--sweep") {
      const bool has_value = index + 1 < arguments.size() && IsSweepValue(arguments[index + 1]);
      options.sweep = IntervalsToSweep(has_value ? arguments[++index] : kSweptSetting);
    } else if (argument == "--tolerance") {
      options.tolerance_percent = TolerancePercent(ValueAfter(arguments, index));
      tolerance_given = true;
    } else if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument.size() > 1 && argument[0] == '-') {
      throw UsageError("unknown option " + argument);
    } else {
      scenarios.push_back(argument);
    }
  }
  if (!options.help && !options.version && scenarios.size() != 1) {
    throw UsageError(scenarios.empty() ? "no scenario file given"
                                       : "more than one scenario file given");
  }
  CheckSweepCombination(options, tolerance_given);
  options.scenario = scenarios.empty() ? "" : scenarios.front();
  return options;
}

std::string UsageText() {
  return "usage: dravelquin-sim [--server-dir DIR] [--overwrite] [--config FILE] "
         "[--chart FILE.svg]\n"
         "                      [--report] [--plugin PATH] SCENARIO.json\n"
         "       dravelquin-sim --sweep [CheckInterval[=S,S,...]] [--tolerance PERCENT]\n"
         "                      [--config FILE] [--chart FILE.svg] [--plugin PATH] SCENARIO.json\n"
         "       dravelquin-sim --version\n"
         "Runs the scenario against the plug-in inside a simulated server. The trace, one JSON\n"
         "line per step, goes to standard output; the summary to standard error, or after the\n"
         "trace with --report. --config runs FILE as config.json in place of the scenario's\n"
         "config; --overwrite lets the run replace the server dir's config.json and\n"
         "dinoDump.txt. --sweep runs the scenario once per CheckInterval, each in a temporary\n"
         "server dir, and prints how near each capped kind stayed to its cap and what the\n"
         "censuses cost; --chart then draws the swing per interval. " + SweepDefaults() + "\n"
         "Exit status 2 for a scenario or file that cannot be used, checked before anything\n"
         "runs; 1 when the run fails on the way.\n";
}

namespace {

RunResults RunAtInterval(const Options& options, const Scenario& scenario, std::int64_t interval,
                         std::ostream& warnings, std::ostream& progress) {
  Scenario at_interval = scenario;
  at_interval.config = WithCheckInterval(scenario.config, interval);
  const ServerDir dir = PrepareServerDir(std::nullopt);
  const TemporaryDirRemoval removal(dir);  // never kept: nothing in it is shown
  std::ostream discarded_trace(nullptr);
  return RunInServerDir(dir, at_interval, options.plugin, discarded_trace, warnings, progress);
}

std::vector<CappedKind> CappedKinds(const Scenario& scenario, const RunResults& run) {
  std::vector<CappedKind> capped;
  for (std::size_t kind = 0; kind < scenario.kinds.size(); ++kind) {
    if (run.caps[kind].capped) {
      capped.push_back(CappedKind{kind, scenario.kinds[kind].id, run.caps[kind].cap});
    }
  }
  return capped;
}

KindAtInterval KindOutcome(const RunResults& run, const CappedKind& kind,
                           double tolerance_percent) {
  const KindStretch& stretch = run.history.Summary(kind.index);
  const CapBand band = BandAround(kind.cap, tolerance_percent);
  return KindAtInterval{stretch.min, stretch.max,
                        run.history.Dwell().ShareWithin(kind.index, band.low, band.high),
                        stretch.destroyed};
}

IntervalOutcome OutcomeOf(const SweepOutcome& sweep, const RunResults& run, std::int64_t interval) {
  IntervalOutcome outcome{interval, {}, run.censuses, run.load_failure};
  for (const CappedKind& kind : sweep.kinds) {
    outcome.kinds.push_back(KindOutcome(run, kind, sweep.tolerance_percent));
  }
  return outcome;
}

}  // namespace

SweepOutcome RunIntervalSweep(const Options& options, const Scenario& scenario,
                              std::ostream& notes) {
  SweepOutcome sweep;
  sweep.title = std::filesystem::path(options.scenario).filename().string();
  sweep.tolerance_percent = options.tolerance_percent;
  std::ostream silenced(nullptr);
  for (const std::int64_t interval : *options.sweep) {
    const bool first = sweep.intervals.empty();
    const RunResults run =
        RunAtInterval(options, scenario, interval, first ? notes : silenced, notes);
    if (first) {
      sweep.kinds = CappedKinds(scenario, run);
      sweep.stretch_seconds = run.history.EndTime() - run.history.StartTime();
    }
    sweep.intervals.push_back(OutcomeOf(sweep, run, interval));
  }
  return sweep;
}

void RunScenario(const Options& options, const Scenario& scenario, std::ostream& trace,
                 std::ostream& notes) {
  const ServerDir dir = PrepareServerDir(options.server_dir);
  TemporaryDirRemoval removal(dir);
  const RunResults run = RunInServerDir(dir, scenario, options.plugin, trace, notes, notes);

  const ReportFacts facts{scenario.kinds, run.caps, run.history, run.errors,
                          run.dump_written ? std::optional(dir.DumpPath()) : std::nullopt,
                          dir.temporary ? std::optional(dir.root) : std::nullopt};
  (options.report ? trace : notes) << FormatReport(facts);
  if (options.chart) {
    const std::string title = std::filesystem::path(options.scenario).filename().string();
    WriteChartFile(*options.chart,
                   PopulationChartSvg(scenario.kinds, run.caps, run.history, title));
  }
  if (dir.temporary && options.report) {
    notes << "server dir (temporary): " << dir.root.string() << "\n";
  }
  removal.Keep();
}

void RunSweep(const Options& options, const Scenario& scenario, std::ostream& out,
              std::ostream& notes) {
  const SweepOutcome sweep = RunIntervalSweep(options, scenario, notes);
  out << FormatSweep(sweep);
  if (options.chart) {
    WriteChartFile(*options.chart, SwingChartSvg(sweep));
  }
}

}  // namespace dravelquin::sim
