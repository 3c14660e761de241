#pragma once

// The simulator's command line:
//   dravelquin-sim [--server-dir DIR] [--overwrite] [--config FILE]
//                  [--chart FILE.svg] [--report] [--plugin PATH] SCENARIO.json
//   dravelquin-sim --sweep [CheckInterval[=S,S,...]] [--tolerance PERCENT]
//                  [--config FILE] [--chart FILE.svg] [--plugin PATH] SCENARIO.json
//   dravelquin-sim --version | --help

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/sim/sweep_arguments.h"

namespace dravelquin::sim {

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

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
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

}  // namespace dravelquin::sim
