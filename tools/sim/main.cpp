// dravelquin-sim: runs a scenario file against the real plug-in library,
// loaded by the stand-in host inside a simulated dedicated server.

#include <exception>
#include <iostream>
#include <string>
#include <variant>
#include <vector>

#include "common/command_line.h"
#include "common/files.h"
#include "sim/command_line.h"
#include "sim/run.h"
#include "sim/scenario.h"
#include "sim/sweep.h"

// Windows has no SIGPIPE: a write to a closed pipe fails by itself.
#ifndef _WIN32
#include <csignal>
#endif

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitRefused = 2;
constexpr const char* kProgram = "dravelquin-sim: ";

using dravelquin::InputProblem;

template <typename StepKind>
bool HasStep(const dravelquin::sim::Scenario& scenario) {
  for (const dravelquin::sim::Step& step : scenario.steps) {
    if (std::holds_alternative<StepKind>(step.action)) {
      return true;
    }
  }
  return false;
}

// Refuses a sweep whose configs it cannot give another interval, naming the
// file the config came from.
void CheckSweepableConfig(const dravelquin::sim::Options& options,
                          const dravelquin::sim::Scenario& scenario) {
  try {
    dravelquin::sim::WithCheckInterval(scenario.config, options.sweep->front());
  } catch (const InputProblem& problem) {
    throw InputProblem(options.config.value_or(options.scenario) + ": " + problem.what());
  }
  try {
    dravelquin::sim::WithEveryConfig(
        scenario, [&options](const dravelquin::sim::ScenarioConfig& config) {
          return dravelquin::sim::WithCheckInterval(config, options.sweep->front());
        });
  } catch (const InputProblem& problem) {
    throw InputProblem(options.scenario + ": " + problem.what());
  }
}

// The scenario as the options ask to run it, every file they name checked:
// raises InputProblem or ScenarioError before anything is made.
dravelquin::sim::Scenario CheckedScenario(const dravelquin::sim::Options& options) {
  const std::string text = dravelquin::ReadWholeFile(options.scenario, "the scenario");
  dravelquin::sim::Scenario scenario;
  try {
    scenario = dravelquin::sim::ParseScenario(text);
  } catch (const dravelquin::sim::ScenarioError& error) {
    throw InputProblem(options.scenario + ": " + error.what());
  }
  if (options.config) {
    scenario.config = {dravelquin::sim::ConfigSource::kText,
                       dravelquin::ReadWholeFile(*options.config, "the config")};
  }
  if (options.sweep) {
    CheckSweepableConfig(options, scenario);
  }
  if (options.chart) {
    dravelquin::CheckWritable(*options.chart, "the chart");
  }
  const dravelquin::sim::PluginFileWrites writes{
      scenario.config.source != dravelquin::sim::ConfigSource::kExisting ||
          HasStep<dravelquin::sim::WriteConfigStep>(scenario),
      HasStep<dravelquin::sim::CommandStep>(scenario)};
  dravelquin::sim::CheckServerDir(options.server_dir, writes, options.overwrite);
  return scenario;
}

int Simulate(const dravelquin::sim::Options& options) {
  dravelquin::sim::Scenario scenario;
  try {
    scenario = CheckedScenario(options);
  } catch (const InputProblem& problem) {
    std::cerr << kProgram << problem.what() << "\n";
    return kExitRefused;
  }
  // A failed write to standard output stops the run at once.
  std::cout.exceptions(std::ios::badbit | std::ios::failbit);
  try {
    if (options.sweep) {
      dravelquin::sim::RunSweep(options, scenario, std::cout, std::cerr);
    } else {
      dravelquin::sim::SimulateScenario(options, scenario, std::cout, std::cerr);
    }
  } catch (const std::ios_base::failure&) {
    if (std::cout.good()) {
      throw;
    }
    std::cerr << kProgram << "cannot write to standard output: "
              << dravelquin::LastSystemError() << "\n";
    return kExitFailure;
  }
  return 0;
}

int Main(const std::vector<std::string>& arguments) {
#ifndef _WIN32
  // A reader that goes away (`| head`) makes the next write fail instead of
  // ending the process, so the run stops and removes what it made.
  std::signal(SIGPIPE, SIG_IGN);
#endif
  try {
    const dravelquin::sim::Options options =
        dravelquin::sim::ParseCommandLine(arguments, DRAVELQUIN_SIM_DEFAULT_PLUGIN);
    if (options.help || options.version) {
      std::cout << (options.help ? dravelquin::sim::UsageText()
                                 : std::string("dravelquin-sim ") + DRAVELQUIN_VERSION + "\n");
      return 0;
    }
    return Simulate(options);
  } catch (const dravelquin::UsageError& error) {
    std::cerr << kProgram << error.what() << "\n" << dravelquin::sim::UsageText();
    return kExitRefused;
  } catch (const std::exception& error) {
    std::cerr << kProgram << error.what() << "\n";
    return kExitFailure;
  }
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) { return Main(dravelquin::Utf8Arguments(argc, argv)); }
#else
int main(int argc, char** argv) { return Main({argv + 1, argv + argc}); }
#endif
