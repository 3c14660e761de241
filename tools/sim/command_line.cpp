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
  if (!options.help && scenarios.size() != 1) {
    throw UsageError(scenarios.empty() ? "no scenario file given"
                                       : "more than one scenario file given");
  }
  options.scenario = scenarios.empty() ? "" : scenarios.front();
  return options;
}

std::string UsageText() {
  return "usage: dravelquin-sim [--server-dir DIR] [--chart FILE.svg] [--report] "
         "[--plugin PATH] SCENARIO.json\n"
         "Runs the scenario against the plug-in inside a simulated server. The trace, one JSON\n"
         "line per step, goes to standard output; the summary to standard error, or after the\n"
         "trace with --report. Exit status 2 for a scenario that cannot run.\n";
}

}  // namespace dravelquin::sim
