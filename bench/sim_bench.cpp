// dravelquin_sim_bench: one run of the simulator on a scenario scaled to a
// real server's size, as dravelquin-sim runs it (the same server, steps and
// plug-in), timed whole and in the plug-in's callbacks.
//
//   dravelquin_sim_bench SCENARIO [--scale N] [--hours H] [--check-interval S]
//
// --scale multiplies every "place" count, every cap ("Count" of each "Dinos"
// member) and every spawn rate; --hours sets the length of every "run" step;
// --check-interval sets the config's General.CheckInterval. Prints the run's
// wall and CPU time, its peak memory (maximum resident set), the simulated
// wild creature-hours per second, and the time the plug-in's own callbacks
// took: its timer (the censuses) and its hooks (the gate calls, and the
// census when the game mode initialises). Fails (status 1) when the plug-in
// did not load or raised an error.

#include <sys/resource.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/files.h"
#include "host_stand_in/testbed_host.h"
#include "sim/run.h"
#include "sim/scenario.h"
#include "sim/world.h"

namespace {

using dravelquin::sim::Json;

constexpr const char* kPluginPath = DRAVELQUIN_PLUGIN_PATH;
constexpr double kNanosecondsPerSecond = 1e9;
constexpr double kSecondsPerHour = 3600.0;
constexpr double kBytesPerMegabyte = 1024.0 * 1024.0;
constexpr double kBytesPerKilobyte = 1024.0;

struct Options {
  std::string scenario;
  std::int64_t scale = 1;
  std::optional<double> hours;
  std::optional<std::int64_t> check_interval;
};

Options ParseArguments(const std::vector<std::string>& arguments) {
  Options options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool has_value = i + 1 < arguments.size();
    if (argument == "--scale" && has_value) {
      options.scale = std::stoll(arguments[++i]);
    } else if (argument == "--hours" && has_value) {
      options.hours = std::stod(arguments[++i]);
    } else if (argument == "--check-interval" && has_value) {
      options.check_interval = std::stoll(arguments[++i]);
    } else if (options.scenario.empty() && argument.rfind("--", 0) != 0) {
      options.scenario = argument;
    } else {
      throw std::invalid_argument("unknown or incomplete argument: " + argument);
    }
  }
  if (options.scenario.empty() || options.scale < 1) {
    throw std::invalid_argument(
        "usage: dravelquin_sim_bench SCENARIO [--scale N] [--hours H] [--check-interval S]");
  }
  return options;
}

// The scenario's text with its server scaled as the options ask.
std::string ScaledScenario(const Options& options) {
  Json scenario = Json::parse(dravelquin::ReadWholeFile(options.scenario, "the scenario"));
  const auto scale = static_cast<double>(options.scale);
  if (scenario.contains("config") && scenario["config"].contains("Dinos")) {
    for (auto& member : scenario["config"]["Dinos"]) {
      member["Count"] = member["Count"].get<std::int64_t>() * options.scale;
    }
  }
  if (options.check_interval) {
    scenario["config"]["General"]["CheckInterval"] = *options.check_interval;
  }
  for (Json& step : scenario["steps"]) {
    const std::string verb = step["do"].get<std::string>();
    if (verb == "place" && step.contains("count")) {
      step["count"] = step["count"].get<std::int64_t>() * options.scale;
    } else if (verb == "run") {
      if (options.hours) {
        step["hours"] = *options.hours;
      }
      if (step.contains("spawn_per_hour")) {
        for (auto& rate : step["spawn_per_hour"]) {
          rate = rate.get<double>() * scale;
        }
      }
    }
  }
  return scenario.dump();
}

double Seconds(std::int64_t nanoseconds) {
  return static_cast<double>(nanoseconds) / kNanosecondsPerSecond;
}

double CpuSeconds(const rusage& usage) {
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

int Run(const Options& options) {
  const dravelquin::sim::Scenario scenario =
      dravelquin::sim::ParseScenario(ScaledScenario(options));
  const dravelquin::sim::ServerDir dir = dravelquin::sim::PrepareServerDir(std::nullopt);
  const dravelquin::sim::TemporaryDirRemoval removal(dir);
  std::ostream discarded(nullptr);

  dravelquin::testbed::TimeCallbacks(true);
  const auto start = std::chrono::steady_clock::now();
  const dravelquin::sim::RunResults results = dravelquin::sim::SimulateInServerDir(
      dir, scenario, kPluginPath, discarded, std::cerr, discarded);
  const std::int64_t wall =
      std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start)
          .count();
  const dravelquin::testbed::CallbackTimes callbacks = dravelquin::testbed::GetCallbackTimes();
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);

  if (results.load_failure) {
    std::cerr << "the plug-in did not load: " << *results.load_failure << "\n";
    return 1;
  }
  for (const dravelquin::sim::EntryPointErrors& entry : results.errors) {
    if (entry.errors.count != 0) {
      std::cerr << entry.label << ": " << entry.errors.count << " errors, the first "
                << entry.errors.first_what << "\n";
      return 1;
    }
  }

  std::int64_t creature_seconds = 0;
  for (std::size_t kind = 0; kind < results.history.KindCount(); ++kind) {
    creature_seconds += results.history.Dwell().WildSeconds(kind);
  }
  const double simulated_hours =
      static_cast<double>(results.history.EndTime() - results.history.StartTime()) /
      kSecondsPerHour;
  const double creature_hours = static_cast<double>(creature_seconds) / kSecondsPerHour;
  const double plugin = Seconds(callbacks.timers.nanoseconds + callbacks.hooks.nanoseconds);

  std::printf("simulator: %s x%lld, %.0f simulated hours\n", options.scenario.c_str(),
              static_cast<long long>(options.scale), simulated_hours);
  std::printf("  time                 %.2f s wall, %.2f s CPU\n", Seconds(wall), CpuSeconds(usage));
  std::printf("  peak memory          %.1f MB (maximum resident set)\n",
              static_cast<double>(usage.ru_maxrss) * kBytesPerKilobyte / kBytesPerMegabyte);
  std::printf("  wild creature-hours  %.0f (%.0f creatures on average), %.2f million a second\n",
              creature_hours, simulated_hours > 0 ? creature_hours / simulated_hours : 0.0,
              creature_hours / Seconds(wall) / 1e6);
  std::printf(
      "  plug-in's callbacks  %.2f s: timer %.2f s (%lld calls, %lld censuses over "
      "%lld creatures), hooks %.2f s (%lld calls: gate and game-mode init)\n",
      plugin, Seconds(callbacks.timers.nanoseconds), static_cast<long long>(callbacks.timers.calls),
      static_cast<long long>(results.censuses.censuses),
      static_cast<long long>(results.censuses.creatures), Seconds(callbacks.hooks.nanoseconds),
      static_cast<long long>(callbacks.hooks.calls));
  std::printf("  whole run / plug-in  %.2f\n", plugin > 0 ? Seconds(wall) / plugin : 0.0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(ParseArguments({argv + 1, argv + argc}));
  } catch (const std::exception& error) {
    std::cerr << "dravelquin_sim_bench: " << error.what() << "\n";
    return 1;
  }
}
