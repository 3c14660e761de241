#include "tools/sim/command_line.h"

namespace dravelquin::sim {

namespace {

std::string ValueAfter(const std::vector<std::string>& arguments, std::size_t& index) {
  if (index + 1 >= arguments.size()) {
    throw UsageError(arguments[index] + " needs a value");
  }
  return arguments[++index];
}

}  // namespace

Options ParseCommandLine(const std::vector<std::string>& arguments,
                         const std::string& default_plugin) {
  Options options;
  options.plugin = default_plugin;
  std::vector<std::string> scenarios;
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
  options.scenario = scenarios.empty() ? "" : scenarios.front();
  return options;
}

std::string UsageText() {
  return "usage: dravelquin-sim [--server-dir DIR] [--overwrite] [--config FILE] "
         "[--chart FILE.svg]\n"
         "                      [--report] [--plugin PATH] SCENARIO.json\n"
         "       dravelquin-sim --version\n"
         "Runs the scenario against the plug-in inside a simulated server. The trace, one JSON\n"
         "line per step, goes to standard output; the summary to standard error, or after the\n"
         "trace with --report. --config runs FILE as config.json in place of the scenario's\n"
         "config; --overwrite lets the run replace the server dir's config.json and\n"
         "dinoDump.txt. Exit status 2 for a scenario or file that cannot be used, checked\n"
         "before anything runs; 1 when the run fails on the way.\n";
}

}  // namespace dravelquin::sim
