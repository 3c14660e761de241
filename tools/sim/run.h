#pragma once

// A run of a scenario: the server dir, generated stretches of server life,
// the simulation of each step, and the run in a server dir.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "host/game_types.h"
#include "sim/cap_timeline.h"
#include "sim/events.h"
#include "sim/scenario.h"
#include "sim/world.h"

namespace dravelquin::sim {

// The simulated server's working directory and the plug-in's files in it.

struct ServerDir {
  std::filesystem::path root;  // what the host reports as the current dir
  bool temporary = false;      // made for this run, removed after it unless kept

  // ROOT/ArkApi/Plugins/dravelquin, where the plug-in keeps its files.
  std::filesystem::path PluginDir() const;
  std::filesystem::path ConfigPath() const;
  std::filesystem::path DumpPath() const;
  std::filesystem::path StatusPath() const;
};

// The given directory (made absolute, created when missing), or a new
// temporary one. The plug-in's folder is created in it, as a server that
// has the plug-in installed has it. Raises std::runtime_error when a
// directory cannot be made.
ServerDir PrepareServerDir(const std::optional<std::string>& requested);

// The plug-in's files a run writes into the server dir.
struct PluginFileWrites {
  bool config = false;  // config.json, from the scenario, --config or "write_config"
  bool dump = false;    // dinoDump.txt and status.json, when a console command may write them
};

// Refuses (InputProblem) a server dir the run must not use, before anything
// is made: an existing ROOT that is not a directory, a config.json,
// dinoDump.txt or status.json in it that is not a file, or one that the run
// would replace while `may_replace` is false. Nothing to check without `requested`.
void CheckServerDir(const std::optional<std::string>& requested, const PluginFileWrites& writes,
                    bool may_replace);

// Removes a temporary server dir when it goes out of scope, unless Keep()
// was called (--keep-server-dir); a given server dir is never removed.
class TemporaryDirRemoval {
 public:
  explicit TemporaryDirRemoval(const ServerDir& dir) : dir_(dir) {}
  TemporaryDirRemoval(const TemporaryDirRemoval&) = delete;
  TemporaryDirRemoval& operator=(const TemporaryDirRemoval&) = delete;
  ~TemporaryDirRemoval();

  // The directory stays for inspection.
  void Keep() { kept_ = true; }

 private:
  const ServerDir& dir_;
  bool kept_ = false;
};

// Writes the scenario's config.json into the plug-in's folder; a scenario
// that gives no config leaves whatever is there (or nothing) untouched.
void WriteConfig(const ServerDir& dir, const ScenarioConfig& config);

// The "run" verb: a generated stretch of server life, deterministic for its
// seed.

// Runs `run.ticks` ticks. Each tick: the clock advances `tick_seconds`; the
// host runs its timer callbacks once; each kind in kind order spawns its
// rate per hour scaled to the tick, rounded randomly to a whole number
// whose mean is the scaled rate (wild, team 0, own base level 1, a
// descriptive name drawn from the kind's names or empty); then each wild
// creature of each kind dies with the chance 1 - (1 - f)^(tick/3600) for
// its kind's fraction f per hour. min and max cover the start and the end
// of every tick. The spawns, the creatures the gate destroyed and the
// deaths are recorded in `history`; then `tick_done` runs, which records
// the tick's end there. Returns what happened over the run, one entry per
// kind.
std::vector<KindStretch> GenerateServerLife(
    const RunStep& run, const std::vector<ScenarioKind>& kinds, SimWorld& world,
    PopulationHistory& history,
    const std::function<void(const std::vector<std::int64_t>& wild)>& tick_done);
// The same, each tick's end recorded in `history` at the clock's time.
std::vector<KindStretch> GenerateServerLife(const RunStep& run,
                                            const std::vector<ScenarioKind>& kinds, SimWorld& world,
                                            PopulationHistory& history);

// Running a scenario's steps against the loaded plug-in, one trace line per
// step.

// Starts a fresh server in the testbed with `server_root` as its current
// dir, bounded for long runs (the lean allocator, its calls counted but not
// listed; only the latest calls of the game's functions; departed creatures
// freed as they pile up), the census's actor queries counted, and the clock
// at `start_time` (seconds since 1970). Call before making the SimWorld.
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
  // library that "load" loads; `dir` the server dir, where "write_config"
  // writes and the commands write their files; `caps` those the plug-in
  // applies before the first step, which each kind's excess is measured
  // against (PopulationHistory).
  Simulation(const Scenario& scenario, SimWorld& world, std::string plugin_path, ServerDir dir,
             std::vector<KindCap> caps);

  // Runs every step in order, writing each one's trace line as it ends.
  void PerformAll(std::ostream& trace);
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
  // The caps the plug-in applied, at the start and after each reload.
  const CapTimeline& Caps() const { return caps_; }
  // Whether some step (re)wrote the dump file.
  bool DumpWritten() const { return dump_written_; }
  const CensusWork& Censuses() const { return census_work_; }
  // Why the first "load" that failed did, when one did.
  const std::optional<std::string>& LoadFailure() const { return load_failure_; }
  // Whether some "load" succeeded: a later one that fails ("already
  // loaded") leaves the plug-in running.
  bool Loaded() const { return loaded_; }

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
  void Do(const WriteConfigStep& step, Json& line);

  APlayerController* PlayerFor(PlayerChoice choice);
  // Records the population now, with the censuses since the last record.
  void RecordSample(const std::vector<std::int64_t>& wild);
  // Counts no actor query made so far as a census.
  void PassOverActorQueries();

  const Scenario& scenario_;
  SimWorld& world_;
  std::string plugin_path_;
  ServerDir dir_;
  PopulationHistory history_;
  CapTimeline caps_;
  std::size_t step_ = 0;  // the step being performed
  PluginErrors errors_;
  std::uint64_t actor_queries_seen_ = 0;  // the census's and the dump's
  std::uint64_t actors_listed_seen_ = 0;  // by those queries
  CensusWork census_work_;
  std::optional<std::string> load_failure_;
  bool loaded_ = false;
  std::ostream* progress_ = nullptr;
  std::size_t first_recorded_step_;
  std::map<PlayerChoice, APlayerController*> players_;
  bool dump_written_ = false;
};

// One run of a scenario in a prepared server dir, as both a plain run and an
// interval sweep make it: the config written, a fresh server started, the
// steps played against the loaded plug-in, and what came of them.

struct RunResults {
  PopulationHistory history;
  std::vector<EntryPointErrors> errors;  // per entry point of the plug-in
  CensusWork censuses;
  bool dump_written = false;
  std::optional<std::string> load_failure;  // why the first failed "load" did
  // The caps as the plug-in applies them, per kind: AtStart() when the
  // stretch begins, once it has started (see `loaded`), then the reloads.
  CapTimeline caps_over_time;
  bool loaded = false;  // some "load" succeeded
};

// Writes the scenario's config into `dir`, starts a fresh server there and
// runs every step with `plugin` as the library "load" loads, each step's
// trace line to `trace`. Warnings about the kinds go to `warnings`, and on a
// terminal the progress of long runs to `progress`. Raises
// std::runtime_error when the config cannot be written.
RunResults SimulateInServerDir(const ServerDir& dir, const Scenario& scenario,
                               const std::string& plugin, std::ostream& trace,
                               std::ostream& warnings, std::ostream& progress);

}  // namespace dravelquin::sim
