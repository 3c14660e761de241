#pragma once

// dravelquin-sim's command line, and the runs it asks for: one scenario,
// or a sweep of its CheckInterval.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "sim/scenario.h"
#include "sim/scenario_from_dump.h"
#include "sim/sweep.h"

namespace dravelquin::sim {

// The simulator's command line:
//   dravelquin-sim [--server-dir DIR] [--overwrite] [--keep-server-dir]
//                  [--config FILE] [--chart FILE.svg] [--report] [--plugin PATH]
//                  SCENARIO.json
//   dravelquin-sim --sweep [CheckInterval[=S,S,...]] [--tolerance PERCENT]
//                  [--min-tolerance N] [--seeds N] [--only TEXT]... [--match-case]
//                  [--config FILE] [--chart FILE.svg] [--plugin PATH] SCENARIO.json
//   dravelquin-sim --scenario-from-dump DUMP.txt [--config FILE] [--hours H]
//   dravelquin-sim --version | --help
// Each but --version and --help also takes [--output FILE [--force]].

struct Options {
  std::optional<std::string> server_dir;  // absent: a new temporary directory
  std::optional<std::string> chart;       // where to write the SVG chart
  std::optional<std::string> config;      // a config file run in place of the scenario's
  bool overwrite = false;                 // the run may replace the server dir's files
  bool keep_server_dir = false;           // a temporary server dir stays after the run
  bool report = false;                    // the summary on standard output, after the trace
  bool help = false;
  bool version = false;
  std::string plugin;  // the plug-in library "load" loads
  std::string scenario;
  // --sweep: the CheckInterval values to run the scenario with, ascending.
  std::optional<std::vector<std::int64_t>> sweep;
  // A sweep's band around each cap, in per cent of it either way.
  double tolerance_percent = kDefaultTolerancePercent;
  // --scenario-from-dump: the census dump a starting scenario is written
  // from, in place of a run, and the length of its run.
  std::optional<std::string> scenario_from_dump;
  double hours = kDefaultDumpScenarioHours;
  std::optional<std::string> output;  // where standard output's text goes instead
  bool force = false;                 // --output may replace an existing file
  // ... and at least this many creatures either way.
  std::int64_t tolerance_creatures = kDefaultToleranceCreatures;
  std::int64_t seeds = 1;  // a sweep's runs per interval and way of counting
  // A sweep's kinds: when given, those whose id, full name (with its
  // blueprint's path) or one of whose names holds one of these, A-Z as a-z
  // unless `match_case`.
  std::vector<std::string> only;
  bool match_case = false;
};

// Reads the arguments after the program name. Options take their value as
// the next argument. Exactly one scenario file is required unless --help or
// --version is given; --plugin defaults to `default_plugin`. --sweep takes
// the next argument as its value when it is one (see IsSweepValue). Raises
// UsageError for an unknown option, a missing or bad value, a wrong number of
// scenario files, a sweep's option (--tolerance, --min-tolerance, --seeds,
// --only, --match-case) without --sweep, --sweep with an option that would
// run in or print for one server dir (--server-dir, --overwrite, --report,
// --keep-server-dir), --scenario-from-dump with a scenario file or an option
// of a run, --hours without --scenario-from-dump, an --hours that is not a
// number above 0, or --force without --output.
Options ParseCommandLine(const std::vector<std::string>& arguments,
                         const std::string& default_plugin);

std::string UsageText();

// Running a scenario once per CheckInterval, to see how near each capped kind
// stays to its cap and what the censuses cost at each.

// Runs `scenario` once for each of `options.sweep`'s intervals, in ascending
// order, and at each once per way of counting (kSweptCountings) and seed
// (WithSeedRound; their outcomes combined by OverSeeds), each in a
// new temporary server dir that is removed afterwards, with the scenario's
// config (or --config's) given that CheckInterval and ExactCaps. Every run
// starts a fresh server and the same steps with the same seeds, so a run's
// outcome does not depend on the runs before it. Traces are not kept;
// warnings about the kinds (once) and on a terminal the progress of long runs
// go to `notes`. The kinds swept are those the first run's config caps that
// --only keeps.
// Raises InputProblem when the config cannot be changed, std::runtime_error
// when a server dir cannot be made or written.
SweepOutcome RunIntervalSweep(const Options& options, const Scenario& scenario,
                              std::ostream& notes);

// One whole simulation: the server dir, the plug-in's config, the steps,
// then the summary and the chart; or an interval sweep and its tables.

// Runs a checked scenario as `options` say: the trace to `trace`, the
// summary to `trace` after it with --report or to `notes` otherwise. A
// temporary server dir is removed afterwards, or kept with
// --keep-server-dir, when the summary gives its path. Raises
// std::runtime_error when the server dir, the config or the chart cannot
// be written; a temporary server dir is removed when the run raises.
void SimulateScenario(const Options& options, const Scenario& scenario, std::ostream& trace,
                      std::ostream& notes);

// Runs the sweep `options.sweep` asks for (RunIntervalSweep), prints its
// tables to `out` and writes its swing chart with --chart. Raises as
// RunIntervalSweep does, and std::runtime_error when the chart cannot be
// written.
void RunSweep(const Options& options, const Scenario& scenario, std::ostream& out,
              std::ostream& notes);

}  // namespace dravelquin::sim
