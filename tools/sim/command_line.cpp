#include "tools/sim/command_line.h"

#include <cstdio>

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

}  // namespace dravelquin::sim
