// dravelquin-sim: runs a scenario file against the real plug-in library,
// loaded by the stand-in host inside a simulated dedicated server.

#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "tools/sim/command_line.h"
#include "tools/sim/run_scenario.h"
#include "tools/sim/scenario_parser.h"
#include "tools/sim/server_dir.h"

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitBadInput = 2;
constexpr const char* kProgram = "dravelquin-sim: ";

int Simulate(const dravelquin::sim::Options& options) {
  const std::optional<std::string> text = dravelquin::sim::ReadFileText(options.scenario);
  if (!text) {
    std::cerr << kProgram << "cannot read the scenario " << options.scenario << "\n";
    return kExitBadInput;
  }
  dravelquin::sim::Scenario scenario;
  try {
    scenario = dravelquin::sim::ParseScenario(*text);
  } catch (const dravelquin::sim::ScenarioError& error) {
    std::cerr << kProgram << options.scenario << ": " << error.what() << "\n";
    return kExitBadInput;
  }
  dravelquin::sim::RunScenario(options, scenario, std::cout, std::cerr);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const dravelquin::sim::Options options = dravelquin::sim::ParseCommandLine(
        std::vector<std::string>(argv + 1, argv + argc), DRAVELQUIN_SIM_DEFAULT_PLUGIN);
    if (options.help) {
      std::cout << dravelquin::sim::UsageText();
      return 0;
    }
    return Simulate(options);
  } catch (const dravelquin::sim::UsageError& error) {
    std::cerr << kProgram << error.what() << "\n" << dravelquin::sim::UsageText();
    return kExitBadInput;
  } catch (const std::exception& error) {
    std::cerr << kProgram << error.what() << "\n";
    return kExitFailure;
  }
}
