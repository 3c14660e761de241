// dravelquin-sim: runs a scenario file against the real plug-in library,
// loaded by the stand-in host inside a simulated dedicated server.

#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "common/command_line.h"
#include "common/dump_file.h"
#include "common/files.h"
#include "common/text.h"
#include "sim/command_line.h"
#include "sim/run.h"
#include "sim/scenario.h"
#include "sim/scenario_from_dump.h"
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

// The file --output names, refused before anything runs when it exists and
// --force is not given.
void OpenOutput(const dravelquin::sim::Options& options,
                std::optional<dravelquin::OutputFile>& output) {
  if (options.output) {
    output.emplace(*options.output, options.force);
  }
}

// Writes the starting scenario --scenario-from-dump asks for, and a note on
// standard error for each dump line it cannot give back as it is.
int WriteScenarioFromDump(const dravelquin::sim::Options& options) {
  std::optional<dravelquin::OutputFile> output;
  dravelquin::sim::DumpScenario written;
  dravelquin::sim::DumpScenarioInput input;
  input.dump_file = *options.scenario_from_dump;
  input.hours = options.hours;
  try {
    input.dump_text = dravelquin::ReadWholeFile(input.dump_file, "the dump");
    if (options.config) {
      input.config_file = *options.config;
      input.config_text = dravelquin::ReadWholeFile(*options.config, "the config");
    }
    OpenOutput(options, output);
    written = dravelquin::sim::ScenarioFromDump(input);
  } catch (const dravelquin::DumpFormatError& error) {
    std::cerr << kProgram
              << dravelquin::EscapedNonUtf8(input.dump_file + ":" + std::to_string(error.line()) +
                                            ": " + error.what())
              << "\n";
    return kExitRefused;
  } catch (const std::runtime_error& problem) {  // InputProblem, ScenarioError
    std::cerr << kProgram << dravelquin::EscapedNonUtf8(problem.what()) << "\n";
    return kExitRefused;
  }
  for (const std::string& note : written.notes) {
    std::cerr << kProgram << "note: " << dravelquin::EscapedNonUtf8(note) << "\n";
  }
  if (written.text.empty()) {
    std::cerr << kProgram << dravelquin::EscapedNonUtf8(input.dump_file)
              << ": no blueprint path of the dump can be placed\n";
    return kExitRefused;
  }
  (output ? output->Stream() : std::cout) << written.text << std::flush;
  if (output) {
    output->Commit();
  } else if (!std::cout) {
    std::cerr << kProgram << "cannot write to standard output: " << dravelquin::LastSystemError()
              << "\n";
    return kExitFailure;
  }
  return 0;
}

int Simulate(const dravelquin::sim::Options& options) {
  dravelquin::sim::Scenario scenario;
  std::optional<dravelquin::OutputFile> output;
  try {
    scenario = CheckedScenario(options);
    OpenOutput(options, output);
  } catch (const InputProblem& problem) {
    std::cerr << kProgram << problem.what() << "\n";
    return kExitRefused;
  }
  // A failed write to standard output stops the run at once.
  std::cout.exceptions(std::ios::badbit | std::ios::failbit);
  std::ostream& out = output ? output->Stream() : std::cout;
  try {
    if (options.sweep) {
      dravelquin::sim::RunSweep(options, scenario, out, std::cerr);
    } else {
      dravelquin::sim::SimulateScenario(options, scenario, out, std::cerr);
    }
    if (output) {
      output->Commit();
    }
  } catch (const std::ios_base::failure&) {
    if (std::cout.good()) {
      throw;
    }
    std::cerr << kProgram << "cannot write to standard output: " << dravelquin::LastSystemError()
              << "\n";
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
    if (options.scenario_from_dump) {
      return WriteScenarioFromDump(options);
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
