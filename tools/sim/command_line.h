#pragma once

// The simulator's command line:
//   dravelquin-sim [--server-dir DIR] [--overwrite] [--config FILE]
//                  [--chart FILE.svg] [--report] [--plugin PATH] SCENARIO.json
//   dravelquin-sim --version | --help

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

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
};

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the arguments after the program name. Options take their value as
// the next argument. Exactly one scenario file is required unless --help or
// --version is given; --plugin defaults to `default_plugin`. Raises UsageError for an
// unknown option, a missing value or a wrong number of scenario files.
Options ParseCommandLine(const std::vector<std::string>& arguments,
                         const std::string& default_plugin);

std::string UsageText();

}  // namespace dravelquin::sim
