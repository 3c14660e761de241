#include "sim/command_line.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include <CLI/CLI.hpp>

#include "common/command_line.h"
#include "sim/charts.h"
#include "sim/report.h"
#include "sim/run.h"
#include "sim/sweep.h"

namespace dravelquin::sim {

namespace {

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

// What the command line gives, as CLI11 reads it: the values of --sweep and
// --tolerance as text, checked after the whole line is read.
struct Given {
  Options options;
  std::vector<std::string> scenarios;
  std::string sweep;
  std::string tolerance;
};

// The simulator's command line, reading into `given`. Unknown options are
// kept as extras, refused in the simulator's own words.
std::unique_ptr<CLI::App> CommandLineInto(Given& given) {
  auto app = std::make_unique<CLI::App>(
      "Runs the scenario against the plug-in inside a simulated server. The trace, one JSON\n"
      "line per step, goes to standard output; the summary to standard error, or after the\n"
      "trace with --report. --sweep runs the scenario once per CheckInterval, each in a\n"
      "temporary server dir, and prints how near each capped kind stayed to its cap and what\n"
      "the censuses cost; --chart then draws the swing per interval. " + SweepDefaults() + "\n"
      "Exit status 2 for a scenario or file that cannot be used, checked before anything\n"
      "runs; 1 when the run fails on the way.",
      "dravelquin-sim");
  app->set_help_flag("-h,--help", "Print this help and exit");
  // A path such as /srv/config.json is a file on every system, never an option.
  app->allow_windows_style_options(false);
  app->allow_extras();
  Options& options = given.options;
  app->add_option("SCENARIO.json", given.scenarios, "The scenario file");
  app->add_option("--server-dir", options.server_dir,
                  "DIR: the server's working directory (default: a new temporary one)");
  app->add_flag("--overwrite", options.overwrite,
                "The run may replace the server dir's config.json and dinoDump.txt");
  app->add_option("--config", options.config,
                  "FILE: run FILE as config.json in place of the scenario's config (read only)");
  app->add_option("--chart", options.chart, "FILE.svg: write an SVG chart");
  app->add_flag("--report", options.report, "The summary on standard output, after the trace");
  app->add_option("--plugin", options.plugin, "PATH: the plug-in library \"load\" loads");
  app->add_flag("--sweep{" + std::string(kSweptSetting) + "}", given.sweep,
                "[CheckInterval[=S,S,...]]: run the scenario once per interval");
  app->add_option("--tolerance", given.tolerance,
                  "PERCENT: a sweep's band around each cap, above 0 and at most 100");
  app->add_flag("--version", options.version, "Print the version and exit");
  for (CLI::Option* option : app->get_options()) {
    option->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  }
  return app;
}

// CLI11's arguments, last first, with a --sweep value joined to it: the
// argument after --sweep is its value only when it is one (IsSweepValue).
std::vector<std::string> LastFirst(const std::vector<std::string>& arguments) {
  std::vector<std::string> joined;
  for (std::size_t index = 0; index < arguments.size(); ++index) {
    if (arguments[index] == "--sweep" && index + 1 < arguments.size() &&
        IsSweepValue(arguments[index + 1])) {
      joined.push_back("--sweep=" + arguments[++index]);
    } else {
      joined.push_back(arguments[index]);
    }
  }
  return std::vector<std::string>(joined.rbegin(), joined.rend());
}

}  // namespace

Options ParseCommandLine(const std::vector<std::string>& arguments,
                         const std::string& default_plugin) {
  Given given;
  given.options.plugin = default_plugin;
  const std::unique_ptr<CLI::App> app = CommandLineInto(given);
  std::vector<std::string> last_first = LastFirst(arguments);
  try {
    app->parse(last_first);
  } catch (const CLI::CallForHelp&) {
    given.options.help = true;
    return given.options;
  } catch (const CLI::ArgumentMismatch& error) {
    // "--config: 1 required TEXT missing": an option without its value.
    const std::string what = error.what();
    throw UsageError(what.substr(0, what.find(':')) + " needs a value");
  } catch (const CLI::ParseError& error) {
    throw UsageError(error.what());
  }
  for (const std::string& extra : app->remaining()) {
    throw UsageError("unknown option " + extra);
  }
  Options& options = given.options;
  if (app->count("--sweep") > 0) {
    options.sweep = IntervalsToSweep(given.sweep);
  }
  const bool tolerance_given = app->count("--tolerance") > 0;
  if (tolerance_given) {
    options.tolerance_percent = TolerancePercent(given.tolerance);
  }
  if (!options.version && given.scenarios.size() != 1) {
    throw UsageError(given.scenarios.empty() ? "no scenario file given"
                                             : "more than one scenario file given");
  }
  CheckSweepCombination(options, tolerance_given);
  options.scenario = given.scenarios.empty() ? "" : given.scenarios.front();
  return options;
}

std::string UsageText() {
  Given given;
  return CommandLineInto(given)->help();
}

namespace {

RunResults RunAtInterval(const Options& options, const Scenario& scenario, std::int64_t interval,
                         std::ostream& warnings, std::ostream& progress) {
  Scenario at_interval = scenario;
  at_interval.config = WithCheckInterval(scenario.config, interval);
  const ServerDir dir = PrepareServerDir(std::nullopt);
  const TemporaryDirRemoval removal(dir);  // never kept: nothing in it is shown
  std::ostream discarded_trace(nullptr);
  return SimulateInServerDir(dir, at_interval, options.plugin, discarded_trace, warnings, progress);
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

void SimulateScenario(const Options& options, const Scenario& scenario, std::ostream& trace,
                 std::ostream& notes) {
  const ServerDir dir = PrepareServerDir(options.server_dir);
  TemporaryDirRemoval removal(dir);
  const RunResults run = SimulateInServerDir(dir, scenario, options.plugin, trace, notes, notes);

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
