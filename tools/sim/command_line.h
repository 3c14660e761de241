#pragma once

// dravelquin-sim's command line, and the runs it asks for: one scenario,
// or a sweep of its CheckInterval.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "sim/scenario.h"
#include "sim/sweep.h"

namespace dravelquin::sim {

// The simulator's command line:
//   dravelquin-sim [--server-dir DIR] [--overwrite] [--config FILE]
//                  [--chart FILE.svg] [--report] [--plugin PATH] SCENARIO.json
//   dravelquin-sim --sweep [CheckInterval[=S,S,...]] [--tolerance PERCENT]
//                  [--config FILE] [--chart FILE.svg] [--plugin PATH] SCENARIO.json
//   dravelquin-sim --version | --help

struct Options {
  std::optional<std::string> server_dir;  // absent: a new temporary directory
  std::optional<std::string> chart;       // where to write the SVG chart
  std::optional<std::string> config;      // a config file run in place of the scenario's
  bool overwrite = false;                 // the run may replace the server dir's files
  bool report = false;                    // the summary on standard output, after the trace
  bool help = false;
  bool version = false;
  std::string plugin;  // the plug-in library "load" loads
  std::string scenario;
  // --sweep: the CheckInterval values to run the scenario with, ascending.
  std::optional<std::vector<std::int64_t>> sweep;
  // A sweep's band around each cap, in per cent of it either way.
  double tolerance_percent = kDefaultTolerancePercent;
};

// Reads the arguments after the program name. Options take their value as
// the next argument. Exactly one scenario file is required unless --help or
// --version is given; --plugin defaults to `default_plugin`. --sweep takes
// the next argument as its value when it is one (see IsSweepValue). Raises
// UsageError for an unknown option, a missing or bad value, a wrong number of
// scenario files, --tolerance without --sweep, or --sweep with an option that
// would run in or print for one server dir (--server-dir, --overwrite,
// --report).
Options ParseCommandLine(const std::vector<std::string>& arguments,
                         const std::string& default_plugin);

std::string UsageText();

// Running a scenario once per CheckInterval, to see how near each capped kind
// stays to its cap and what the censuses cost at each.

// Runs `scenario` once for each of `options.sweep`'s intervals, in ascending
// order, each in a new temporary server dir that is removed afterwards, with
// the scenario's config (or --config's) given that CheckInterval. Every run
// starts a fresh server and the same steps with the same seeds, so a run's
// outcome does not depend on the runs before it. Traces are not kept;
// warnings about the kinds (once) and on a terminal the progress of long runs
// go to `notes`. The kinds swept are those the first run's plug-in caps.
// Raises InputProblem when the config cannot be changed, std::runtime_error
// when a server dir cannot be made or written.
SweepOutcome RunIntervalSweep(const Options& options, const Scenario& scenario,
                              std::ostream& notes);

// One whole simulation: the server dir, the plug-in's config, the steps,
// then the summary and the chart; or an interval sweep and its tables.

// Runs a checked scenario as `options` say: the trace to `trace`, the
// summary to `trace` after it with --report or to `notes` otherwise, and a
// temporary server dir's path to `notes` in any case. Raises
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
