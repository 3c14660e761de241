#pragma once

// Running a scenario's steps against the loaded plug-in, one trace line per
// step.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <string>

#include "host/game_types.h"
#include "tools/sim/plugin_errors.h"
#include "tools/sim/population_history.h"
#include "tools/sim/scenario.h"
#include "tools/sim/scenario_fields.h"
#include "tools/sim/sim_world.h"

namespace dravelquin::sim {

// Starts a fresh server in the testbed with `server_root` as its current
// dir, the allocator's calls counted but not listed, the census's actor
// queries counted, and the clock at `start_time` (seconds since 1970). Call
// before making the SimWorld.
void StartServer(const std::filesystem::path& server_root, std::int64_t start_time);

// The censuses the plug-in took within the recorded stretch, and the
// creatures they went through in all.
struct CensusWork {
  std::int64_t censuses = 0;
  std::int64_t creatures = 0;
};

class Simulation {
 public:
  // `scenario` and `world` must outlive the simulation. `plugin_path` is the
  // library that "load" loads; `dump_path` the file "debugspawn" writes.
  Simulation(const Scenario& scenario, SimWorld& world, std::string plugin_path,
             std::filesystem::path dump_path);

  // Runs every step in order, writing each one's trace line as it ends.
  void RunAll(std::ostream& trace);
  // Runs one step and returns its trace line.
  Json Perform(std::size_t index);
  // Unloads the plug-in when a scenario left it loaded, as the server does
  // when it stops; not part of the trace.
  void Finish();

  // Shows the progress of long runs on `out` (a terminal).
  void ShowProgressOn(std::ostream& out) { progress_ = &out; }

  const PopulationHistory& History() const { return history_; }
  // The errors the plug-in raised in the steps, per entry point.
  const PluginErrors& Errors() const { return errors_; }
  // Whether some step (re)wrote the dump file.
  bool DumpWritten() const { return dump_written_; }
  const CensusWork& Censuses() const { return census_work_; }
  // Why the first "load" that failed did, when one did.
  const std::optional<std::string>& LoadFailure() const { return load_failure_; }

 private:
  void Do(const LoadStep& step, Json& line);
  void Do(const UnloadStep& step, Json& line);
  void Do(const PlaceStep& step, Json& line);
  void Do(const SpawnStep& step, Json& line);
  void Do(const RemoveStep& step, Json& line);
  void Do(const TameStep& step, Json& line);
  void Do(const InitGameStep& step, Json& line);
  void Do(const ClockStep& step, Json& line);
  void Do(const TickStep& step, Json& line);
  void Do(const CommandStep& step, Json& line);
  void Do(const RunStep& step, Json& line);

  APlayerController* PlayerFor(PlayerChoice choice);
  // Records the population now, with the censuses since the last record.
  void RecordSample(const std::vector<std::int64_t>& wild);
  // Counts no actor query made so far as a census.
  void PassOverActorQueries();

  const Scenario& scenario_;
  SimWorld& world_;
  std::string plugin_path_;
  std::filesystem::path dump_path_;
  PopulationHistory history_;
  PluginErrors errors_;
  std::uint64_t actor_queries_seen_ = 0;  // the census's and the dump's
  std::uint64_t actors_listed_seen_ = 0;  // by those queries
  CensusWork census_work_;
  std::optional<std::string> load_failure_;
  std::ostream* progress_ = nullptr;
  std::size_t first_recorded_step_;
  std::map<PlayerChoice, APlayerController*> players_;
  bool dump_written_ = false;
};

}  // namespace dravelquin::sim
