#include "sim/command_line.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include <CLI/CLI.hpp>

#include "common/command_line.h"
#include "common/files.h"
#include "common/text.h"
#include "sim/charts.h"
#include "sim/report.h"
#include "sim/run.h"
#include "sim/sweep.h"

namespace dravelquin::sim {

namespace {

// A sweep runs each interval in a temporary server dir of its own and prints
// only its tables.
// `sweep_option` names a sweep's own option given, or is null.
void CheckSweepCombination(const Options& options, const char* sweep_option) {
  if (!options.sweep) {
    if (sweep_option != nullptr) {
      throw UsageError(std::string(sweep_option) + " goes with --sweep");
    }
    return;
  }
  const char* refused = options.server_dir        ? "--server-dir"
                        : options.overwrite       ? "--overwrite"
                        : options.report          ? "--report"
                        : options.keep_server_dir ? "--keep-server-dir"
                                                  : nullptr;
  if (refused != nullptr) {
    throw UsageError(std::string(refused) +
                     " does not go with --sweep, which runs each interval in a temporary "
                     "server dir of its own and prints only its tables");
  }
}

// --scenario-from-dump writes a scenario and runs nothing.
void CheckFromDumpCombination(const Options& options, const CLI::App& app) {
  if (!options.scenario_from_dump) {
    if (app.count("--hours") > 0) {
      throw UsageError("--hours goes with --scenario-from-dump");
    }
    return;
  }
  for (const char* refused : {"--sweep", "--tolerance", "--server-dir", "--overwrite",
                              "--keep-server-dir", "--chart", "--report", "--plugin"}) {
    if (app.count(refused) > 0) {
      throw UsageError(std::string(refused) +
                       " does not go with --scenario-from-dump, which writes a scenario and "
                       "runs nothing");
    }
  }
}

// "2.5" -> 2.5: a decimal number of hours above 0.
double HoursArgument(const std::string& text) {
  const bool decimal = !text.empty() &&
                       text.find_first_not_of("0123456789.") == std::string::npos &&
                       std::count(text.begin(), text.end(), '.') <= 1 && text != ".";
  const double hours = decimal ? std::strtod(text.c_str(), nullptr) : 0;
  if (!(hours > 0) || !std::isfinite(hours)) {
    throw UsageError("--hours wants a decimal number above 0, not \"" + text + "\"");
  }
  return hours;
}

// "By default:\nCheckInterval=600,1800,... and --tolerance 10."
std::string SweepDefaults() {
  std::string intervals;
  for (const std::int64_t seconds : kDefaultSweepIntervals) {
    intervals += (intervals.empty() ? "" : ",") + std::to_string(seconds);
  }
  char tolerance[32];
  std::snprintf(tolerance, sizeof tolerance, "%g", kDefaultTolerancePercent);
  return "By default:\n" + std::string(kSweptSetting) + "=" + intervals + ", --tolerance " +
         tolerance + " and --min-tolerance " + std::to_string(kDefaultToleranceCreatures) + ".";
}

// What the command line gives, as CLI11 reads it: the values of --sweep and
// --tolerance as text, checked after the whole line is read.
struct Given {
  Options options;
  std::vector<std::string> scenarios;
  std::string sweep;
  std::string tolerance;
  std::string hours;
  std::string tolerance_creatures;
  std::string seeds;
};

// The simulator's command line, reading into `given`. Unknown options are
// kept as extras, refused in the simulator's own words.
std::unique_ptr<CLI::App> CommandLineInto(Given& given) {
  auto app = std::make_unique<CLI::App>(
      "Runs the scenario against the plug-in inside a simulated server. The trace, one JSON\n"
      "line per step, goes to standard output; the summary to standard error, or after the\n"
      "trace with --report. A temporary server dir is removed after the run unless\n"
      "--keep-server-dir is given. --sweep runs the scenario once per CheckInterval and\n"
      "ExactCaps false and true, each in a temporary server dir, and prints how near each\n"
      "capped kind stayed to its cap and what the censuses cost; --chart then draws the swing\n"
      "per interval. " +
          SweepDefaults() +
          "\n"
          "--scenario-from-dump writes a starting scenario from a server's census dump: its\n"
          "creatures placed as counted, the --config given, and a run whose rates to edit.\n"
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
  app->add_flag("--keep-server-dir", options.keep_server_dir,
                "Keep the temporary server dir after the run; the summary gives its path");
  app->add_option("--config", options.config,
                  "FILE: run FILE as config.json in place of the scenario's config (read only)");
  app->add_option("--chart", options.chart, "FILE.svg: write an SVG chart");
  app->add_flag("--report", options.report, "The summary on standard output, after the trace");
  app->add_option("--plugin", options.plugin, "PATH: the plug-in library \"load\" loads");
  app->add_flag("--sweep{" + std::string(kSweptSetting) + "}", given.sweep,
                "[CheckInterval[=S,S,...]]: run the scenario once per interval");
  app->add_option("--tolerance", given.tolerance,
                  "PERCENT: a sweep's band around each cap, above 0 and at most 100");
  app->add_option("--scenario-from-dump", options.scenario_from_dump,
                  "DUMP.txt: write a starting scenario from a census dump in place of a run");
  app->add_option("--hours", given.hours,
                  "H: with --scenario-from-dump, the hours of its run (default 24)");
  app->add_option("--output", options.output,
                  "FILE: write what would go to standard output to FILE, UTF-8; never over an "
                  "existing file without --force");
  app->add_flag("--force", options.force, "--output may replace an existing FILE");
  app->add_option("--min-tolerance", given.tolerance_creatures,
                  "N: a sweep's band is at least N creatures either way, 0 to 1000000");
  app->add_option("--seeds", given.seeds,
                  "N: a sweep runs each interval with N seeds, 1 to 10, and shows the spread");
  app->add_option("--only", options.only,
                  "TEXT: sweep only the capped kinds whose id, full name (with the blueprint's "
                  "path) or a name holds TEXT; may be repeated")
      ->allow_extra_args(false);
  app->add_flag("--match-case", options.match_case, "--only matches the letter case too");
  app->add_flag("--version", options.version, "Print the version and exit");
  for (CLI::Option* option : app->get_options()) {
    if (option->get_name() != "--only") {
      option->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    }
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
  const char* sweep_option = nullptr;
  for (const char* name : {"--tolerance", "--min-tolerance", "--seeds", "--only", "--match-case"}) {
    if (sweep_option == nullptr && app->count(name) > 0) {
      sweep_option = name;
    }
  }
  if (app->count("--tolerance") > 0) {
    options.tolerance_percent = TolerancePercent(given.tolerance);
  }
  if (app->count("--min-tolerance") > 0) {
    options.tolerance_creatures = ToleranceCreatures(given.tolerance_creatures);
  }
  if (app->count("--seeds") > 0) {
    options.seeds = SeedCount(given.seeds);
  }
  if (app->count("--hours") > 0) {
    options.hours = HoursArgument(given.hours);
  }
  if (options.force && !options.output) {
    throw UsageError("--force goes with --output");
  }
  CheckFromDumpCombination(options, *app);
  if (options.scenario_from_dump && !given.scenarios.empty()) {
    throw UsageError("--scenario-from-dump writes a scenario, so it takes no scenario file");
  }
  if (!options.version && !options.scenario_from_dump && given.scenarios.size() != 1) {
    throw UsageError(given.scenarios.empty() ? "no scenario file given"
                                             : "more than one scenario file given");
  }
  CheckSweepCombination(options, sweep_option);
  options.scenario = given.scenarios.empty() ? "" : given.scenarios.front();
  return options;
}

std::string UsageText() {
  Given given;
  return CommandLineInto(given)->help();
}

namespace {

RunResults RunAtInterval(const Options& options, const Scenario& scenario, std::int64_t interval,
                         bool exact_caps, std::ostream& warnings, std::ostream& progress) {
  const Scenario at_interval =
      WithEveryConfig(scenario, [interval, exact_caps](const ScenarioConfig& config) {
        return WithExactCaps(WithCheckInterval(config, interval), exact_caps);
      });
  const ServerDir dir = PrepareServerDir(std::nullopt);
  const TemporaryDirRemoval removal(dir);  // never kept: nothing in it is shown
  std::ostream discarded_trace(nullptr);
  return SimulateInServerDir(dir, at_interval, options.plugin, discarded_trace, warnings, progress);
}

// Whether --only keeps the kind: its id, its full name (which holds its
// blueprint's path) or one of its names holds one of the texts.
bool KeptByOnly(const Options& options, const ScenarioKind& kind) {
  if (options.only.empty()) {
    return true;
  }
  const auto comparable = [&options](const std::string& text) {
    return options.match_case ? text : FoldedCase(text);
  };
  std::vector<std::string> fields{kind.id, kind.full_name};
  fields.insert(fields.end(), kind.names.begin(), kind.names.end());
  for (const std::string& text : options.only) {
    for (const std::string& field : fields) {
      if (comparable(field).find(comparable(text)) != std::string::npos) {
        return true;
      }
    }
  }
  return false;
}

void AddCappedKinds(const Options& options, const Scenario& scenario, const RunResults& run,
                    SweepOutcome& sweep) {
  const std::vector<KindCap>& caps = run.caps_over_time.AtStart();
  for (std::size_t kind = 0; kind < scenario.kinds.size(); ++kind) {
    if (!caps[kind].capped) {
      continue;
    }
    if (KeptByOnly(options, scenario.kinds[kind])) {
      sweep.kinds.push_back(CappedKind{kind, scenario.kinds[kind].id, caps[kind].cap});
    } else {
      ++sweep.kinds_left_out;
    }
  }
}

KindAtInterval KindOutcome(const RunResults& run, const CappedKind& kind,
                           const SweepOutcome& sweep) {
  const KindStretch& stretch = run.history.Summary(kind.index);
  const CapBand band = BandAround(kind.cap, sweep.tolerance_percent, sweep.tolerance_creatures);
  return KindAtInterval{stretch.min, stretch.max,
                        run.history.Dwell().ShareWithin(kind.index, band.low, band.high),
                        stretch.destroyed, run.history.Excess(kind.index)};
}

// Why a run was without the plug-in: only when no "load" of it succeeded.
std::optional<std::string> WithoutPlugIn(const RunResults& run) {
  if (run.loaded) {
    return std::nullopt;
  }
  return run.load_failure.value_or("no \"load\" step");
}

// One interval and way of counting over the runs of every seed.
IntervalOutcome OutcomeOf(const SweepOutcome& sweep, const std::vector<RunResults>& runs,
                          std::int64_t interval, bool exact_caps) {
  IntervalOutcome outcome{interval, {}, {}, std::nullopt, exact_caps};
  for (const RunResults& run : runs) {
    outcome.censuses.censuses += run.censuses.censuses;
    outcome.censuses.creatures += run.censuses.creatures;
    if (!outcome.load_failure) {
      outcome.load_failure = WithoutPlugIn(run);
    }
  }
  const auto count = static_cast<std::int64_t>(runs.size());
  outcome.censuses.censuses /= count;
  outcome.censuses.creatures /= count;
  for (const CappedKind& kind : sweep.kinds) {
    std::vector<KindAtInterval> seeds;
    seeds.reserve(runs.size());
    for (const RunResults& run : runs) {
      seeds.push_back(KindOutcome(run, kind, sweep));
    }
    outcome.kinds.push_back(OverSeeds(seeds));
  }
  return outcome;
}

}  // namespace

SweepOutcome RunIntervalSweep(const Options& options, const Scenario& scenario,
                              std::ostream& notes) {
  SweepOutcome sweep;
  sweep.title = Utf8FromPath(PathFromUtf8(options.scenario).filename());
  sweep.tolerance_percent = options.tolerance_percent;
  sweep.tolerance_creatures = options.tolerance_creatures;
  sweep.seeds = options.seeds;
  std::vector<Scenario> rounds;
  for (std::int64_t round = 0; round < options.seeds; ++round) {
    rounds.push_back(WithSeedRound(scenario, round));
  }
  std::ostream silenced(nullptr);
  for (const std::int64_t interval : *options.sweep) {
    for (const bool exact_caps : kSweptCountings) {
      std::vector<RunResults> runs;
      for (const Scenario& round : rounds) {
        const bool first = sweep.intervals.empty() && runs.empty();
        runs.push_back(
            RunAtInterval(options, round, interval, exact_caps, first ? notes : silenced, notes));
        if (first) {
          AddCappedKinds(options, scenario, runs.front(), sweep);
          sweep.stretch_seconds = runs.front().history.EndTime() - runs.front().history.StartTime();
        }
      }
      sweep.intervals.push_back(OutcomeOf(sweep, runs, interval, exact_caps));
    }
  }
  return sweep;
}

void SimulateScenario(const Options& options, const Scenario& scenario, std::ostream& trace,
                      std::ostream& notes) {
  const ServerDir dir = PrepareServerDir(options.server_dir);
  TemporaryDirRemoval removal(dir);
  if (options.keep_server_dir) {
    removal.Keep();
  }
  const RunResults run = SimulateInServerDir(dir, scenario, options.plugin, trace, notes, notes);

  const CapTimeline* reloads = run.caps_over_time.Changes().empty() ? nullptr : &run.caps_over_time;
  // Without a "load" that succeeded nothing was capped, whatever the config says.
  const std::vector<KindCap> applied =
      run.loaded ? run.caps_over_time.AtStart() : std::vector<KindCap>(scenario.kinds.size());
  const std::optional<std::string> start_failure = run.loaded ? std::nullopt : run.load_failure;
  const bool kept = dir.temporary && options.keep_server_dir;
  const ReportFacts facts{scenario.kinds,
                          applied,
                          run.history,
                          run.errors,
                          run.dump_written ? std::optional(dir.DumpPath()) : std::nullopt,
                          kept ? std::optional(dir.root) : std::nullopt,
                          dir.temporary && !kept,
                          start_failure,
                          reloads};
  (options.report ? trace : notes) << FormatReport(facts);
  if (options.chart) {
    const std::string title = Utf8FromPath(PathFromUtf8(options.scenario).filename());
    WriteChartFile(*options.chart, PopulationChartSvg(scenario.kinds, applied, run.history, title,
                                                      start_failure, reloads));
  }
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
