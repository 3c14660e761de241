#include "sim/run.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>
#include <variant>
#include <vector>

#include "common/files.h"
#include "common/text.h"
#include "game/fresh_server.h"
#include "game/game_players.h"
#include "game/game_world.h"
#include "host_stand_in/testbed_host.h"
#include "sim/events.h"
#include "sim/world.h"

namespace dravelquin::sim {

namespace {

// Refuses a plug-in file that is there but is not a file, or that the run
// would replace without leave.
void CheckPluginFile(const std::filesystem::path& path, bool written, bool may_replace) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (!std::filesystem::exists(status)) {
    return;
  }
  if (!std::filesystem::is_regular_file(status)) {
    throw InputProblem("cannot use the server dir: " + Utf8FromPath(path) + " is not a file");
  }
  if (written && !may_replace) {
    throw InputProblem("the run would replace " + Utf8FromPath(path) +
                       ", which it did not make; give --overwrite to let it, or --config "
                       "with no --server-dir to preview that config");
  }
}

}  // namespace

std::filesystem::path ServerDir::PluginDir() const { return PluginFolderOf(root); }

std::filesystem::path ServerDir::ConfigPath() const { return PluginDir() / "config.json"; }

std::filesystem::path ServerDir::DumpPath() const { return PluginDir() / "dinoDump.txt"; }

std::filesystem::path ServerDir::StatusPath() const { return PluginDir() / "status.json"; }

ServerDir PrepareServerDir(const std::optional<std::string>& requested) {
  ServerDir dir;
  dir.temporary = !requested.has_value();
  dir.root = dir.temporary ? MakeTemporaryFolder("dravelquin-sim-", "temporary server directory")
                           : std::filesystem::absolute(PathFromUtf8(*requested));
  std::filesystem::create_directories(dir.PluginDir());
  return dir;
}

void CheckServerDir(const std::optional<std::string>& requested, const PluginFileWrites& writes,
                    bool may_replace) {
  if (!requested) {
    return;
  }
  ServerDir dir;
  dir.root = PathFromUtf8(*requested);
  std::error_code error;
  if (std::filesystem::exists(dir.root, error) && !std::filesystem::is_directory(dir.root, error)) {
    throw InputProblem("cannot use the server dir " + Utf8FromPath(dir.root) + ": " +
                       std::make_error_code(std::errc::not_a_directory).message());
  }
  CheckPluginFile(dir.ConfigPath(), writes.config, may_replace);
  CheckPluginFile(dir.DumpPath(), writes.dump, may_replace);
  CheckPluginFile(dir.StatusPath(), writes.dump, may_replace);
}

TemporaryDirRemoval::~TemporaryDirRemoval() {
  if (dir_.temporary && !kept_) {
    std::error_code ignored;
    std::filesystem::remove_all(dir_.root, ignored);
  }
}

void WriteConfig(const ServerDir& dir, const ScenarioConfig& config) {
  if (config.source == ConfigSource::kExisting) {
    return;
  }
  std::ofstream out(dir.ConfigPath(), std::ios::binary | std::ios::trunc);
  out << config.text;
  out.close();
  if (!out) {
    throw std::runtime_error("cannot write " + Utf8FromPath(dir.ConfigPath()));
  }
}

namespace {

constexpr double kSecondsPerHour = 3600.0;
constexpr std::int32_t kGeneratedOwnLevel = 1;
constexpr std::int32_t kWildTeam = 0;

// One kind's generated life: its names and its rates scaled to one tick.
struct KindLife {
  std::vector<std::u16string> names;
  double spawns_per_tick = 0.0;
  double death_chance_per_tick = 0.0;
};

std::vector<KindLife> PrepareLives(const RunStep& run, const std::vector<ScenarioKind>& kinds) {
  const double tick_hours = run.tick_seconds / kSecondsPerHour;
  std::vector<KindLife> lives(kinds.size());
  for (std::size_t kind = 0; kind < kinds.size(); ++kind) {
    for (const std::string& name : kinds[kind].names) {
      lives[kind].names.push_back(Utf16FromUtf8(name));
    }
    lives[kind].spawns_per_tick = run.spawn_per_hour[kind] * tick_hours;
    lives[kind].death_chance_per_tick = 1.0 - std::pow(1.0 - run.death_per_hour[kind], tick_hours);
  }
  return lives;
}

const std::u16string& PickName(const KindLife& life, SplitMix64& random) {
  static const std::u16string empty;
  if (life.names.empty()) {
    return empty;
  }
  return life.names.size() == 1
             ? life.names.front()
             : life.names[static_cast<std::size_t>(random.Below(life.names.size()))];
}

// The creatures of one kind that spawned in a tick, and how many of them
// the gate destroyed.
struct TickSpawns {
  std::int64_t spawned = 0;
  std::int64_t destroyed = 0;
};

TickSpawns SpawnKind(std::size_t kind, const KindLife& life, SimWorld& world, SplitMix64& random) {
  TickSpawns spawns;
  spawns.spawned = random.RoundRandomly(life.spawns_per_tick);
  for (std::int64_t i = 0; i < spawns.spawned; ++i) {
    const SpawnAnswer answer =
        world.Spawn(kind, PickName(life, random), kWildTeam, kGeneratedOwnLevel);
    spawns.destroyed += answer.destroyed ? 1 : 0;
  }
  return spawns;
}

}  // namespace

std::vector<KindStretch> GenerateServerLife(
    const RunStep& run, const std::vector<ScenarioKind>& kinds, SimWorld& world,
    PopulationHistory& history,
    const std::function<void(const std::vector<std::int64_t>& wild)>& tick_done) {
  const std::vector<KindLife> lives = PrepareLives(run, kinds);
  StretchTally stretches(kinds.size());
  stretches.Begin(world.WildCounts());
  SplitMix64 random(run.seed);
  for (std::int64_t tick = 0; tick < run.ticks; ++tick) {
    testbed::AdvanceTicks(run.tick_seconds * testbed::kTicksPerSecond);
    testbed::RunTimers();
    for (std::size_t kind = 0; kind < kinds.size(); ++kind) {
      const TickSpawns spawns = SpawnKind(kind, lives[kind], world, random);
      stretches.AddSpawns(kind, spawns.spawned, spawns.destroyed);
      history.AddSpawns(kind, spawns.spawned, spawns.destroyed);
    }
    for (std::size_t kind = 0; kind < kinds.size(); ++kind) {
      const std::int64_t died = world.Cull(kind, lives[kind].death_chance_per_tick, random);
      stretches.AddDeaths(kind, died);
      history.AddDeaths(kind, died);
    }
    const std::vector<std::int64_t> wild = world.WildCounts();
    stretches.Sample(wild);
    tick_done(wild);
  }
  return stretches.All();
}

std::vector<KindStretch> GenerateServerLife(const RunStep& run,
                                            const std::vector<ScenarioKind>& kinds, SimWorld& world,
                                            PopulationHistory& history) {
  return GenerateServerLife(run, kinds, world, history,
                            [&history](const std::vector<std::int64_t>& wild) {
                              history.Record(testbed::Ticks() / testbed::kTicksPerSecond, wild);
                            });
}

namespace {

// What the plug-in's logger writes before the text of a start-up failure.
constexpr const char* kPluginErrorMarker = "[dravelquin][error] ";

std::int64_t NowSeconds() { return testbed::Ticks() / testbed::kTicksPerSecond; }

// The error lines the plug-in logged since `log_lines_before`, without the
// logger's marker.
std::vector<std::string> PluginErrorLines(std::size_t log_lines_before) {
  const std::vector<std::string> lines = testbed::LogLines();
  const std::string marker = kPluginErrorMarker;
  std::vector<std::string> errors;
  for (std::size_t i = log_lines_before; i < lines.size(); ++i) {
    const std::size_t found = lines[i].find(marker);
    if (found != std::string::npos) {
      errors.push_back(lines[i].substr(found + marker.size()));
    }
  }
  return errors;
}

// The reason a load failed: the start-up error the plug-in logged since
// `log_lines_before`, or else the loader's own message.
std::string LoadFailureText(std::size_t log_lines_before, const std::string& loader_error) {
  const std::vector<std::string> errors = PluginErrorLines(log_lines_before);
  return errors.empty() ? loader_error : errors.front();
}

// Per kind id: the cap the plug-in applies, null when none does, "broken"
// when the gate fails to read it.
Json CapsJson(const std::vector<ScenarioKind>& kinds, const std::vector<KindCap>& caps) {
  Json json = Json::object();
  for (std::size_t kind = 0; kind < kinds.size(); ++kind) {
    json[kinds[kind].id] = caps[kind].capped   ? Json(caps[kind].cap)
                           : caps[kind].broken ? Json("broken")
                                               : Json(nullptr);
  }
  return json;
}

// The status file as the trace shows it: its JSON document, or its text
// when it is not one; null when it is gone.
Json StatusFileContent(const std::filesystem::path& path) {
  const FileText file = ReadFileText(path);
  if (!file.text) {
    return Json(nullptr);
  }
  try {
    return Json::parse(*file.text);
  } catch (const Json::exception&) {
    return Json(*file.text);
  }
}

// What tells one version of a file from the next: rewriting it, even with
// the same bytes, changes its modification time.
struct FileState {
  bool exists = false;
  std::uintmax_t size = 0;
  std::filesystem::file_time_type modified{};

  bool operator==(const FileState& other) const {
    return exists == other.exists && size == other.size && modified == other.modified;
  }
};

FileState StateOf(const std::filesystem::path& path) {
  std::error_code error;
  FileState state;
  state.exists = std::filesystem::exists(path, error);
  if (state.exists) {
    state.size = std::filesystem::file_size(path, error);
    state.modified = std::filesystem::last_write_time(path, error);
  }
  return state;
}

// The kind of player the game makes for a choice other than kNone, which
// stands for a null controller and has no player.
testbed::PlayerKind PlayerKindOf(PlayerChoice choice) {
  switch (choice) {
    case PlayerChoice::kPlayer:
      return testbed::PlayerKind::kPlayer;
    case PlayerChoice::kNoCharacter:
      return testbed::PlayerKind::kNoCharacter;
    case PlayerChoice::kNoState:
      return testbed::PlayerKind::kNoPlayerState;
    case PlayerChoice::kAdmin:
    case PlayerChoice::kNone:
      break;
  }
  return testbed::PlayerKind::kAdmin;
}

std::size_t FirstRunStep(const Scenario& scenario) {
  const auto found =
      std::find_if(scenario.steps.begin(), scenario.steps.end(),
                   [](const Step& step) { return std::holds_alternative<RunStep>(step.action); });
  return found == scenario.steps.end() ? 0
                                       : static_cast<std::size_t>(found - scenario.steps.begin());
}

Json StretchJson(const KindStretch& stretch) {
  Json json = Json::object();
  json["start"] = stretch.start;
  json["min"] = stretch.min;
  json["max"] = stretch.max;
  json["end"] = stretch.end;
  json["spawned"] = stretch.spawned;
  json["destroyed"] = stretch.destroyed;
  json["died"] = stretch.died;
  return json;
}

}  // namespace

void StartServer(const std::filesystem::path& server_root, std::int64_t start_time) {
  // Months of server life make billions of engine allocations and millions
  // of creatures: count the calls without books per block, as a server's own
  // allocator costs, and keep only what the world holds at once.
  testbed::StartFreshServer(server_root, testbed::AllocatorRecord::kCountsOnly);
  testbed::BoundForLongRuns();
  WatchActorQueries();
  testbed::SetTicks(start_time * testbed::kTicksPerSecond);
}

Simulation::Simulation(const Scenario& scenario, SimWorld& world, std::string plugin_path,
                       ServerDir dir, std::vector<KindCap> caps)
    : scenario_(scenario),
      world_(world),
      plugin_path_(std::move(plugin_path)),
      dir_(std::move(dir)),
      history_(scenario.kinds.size()),
      caps_(std::move(caps)),
      first_recorded_step_(FirstRunStep(scenario)) {
  history_.MeasureExcessAgainst(caps_.Current());
}

void Simulation::PerformAll(std::ostream& trace) {
  for (std::size_t index = 0; index < scenario_.steps.size(); ++index) {
    WriteTraceLine(trace, Perform(index));
  }
}

Json Simulation::Perform(std::size_t index) {
  const Step& step = scenario_.steps[index];
  step_ = index;
  if (index == first_recorded_step_) {
    history_.Begin(NowSeconds(), world_.WildCounts());
    caps_.Begin(world_.WildCounts());
    PassOverActorQueries();
  }
  Json line = NewTraceLine(index, step.verb);
  std::visit([this, &line](const auto& action) { Do(action, line); }, step.action);
  errors_.Collect();
  AttachCallbackErrors(line, errors_.TakeStepErrors());
  if (!std::holds_alternative<RunStep>(step.action)) {
    RecordSample(world_.WildCounts());
  }
  return line;
}

void Simulation::Finish() {
  if (testbed::IsPluginLoaded()) {
    testbed::UnloadPlugin();
  }
  testbed::TakeCallbackErrors();
}

void Simulation::Do(const LoadStep&, Json& line) {
  const std::size_t log_lines_before = testbed::LogLines().size();
  const testbed::LoaderOutcome outcome = testbed::LoadPlugin(plugin_path_);
  line["ok"] = outcome.succeeded;
  loaded_ = loaded_ || outcome.succeeded;
  if (!outcome.succeeded) {
    line["error"] = LoadFailureText(log_lines_before, outcome.error);
    if (!load_failure_) {
      load_failure_ = line["error"].get<std::string>();
    }
    return;
  }
  // A config written since the caps were last read takes force at start-up.
  std::vector<KindCap> caps = AppliedCaps(world_);
  if (caps != caps_.Current()) {
    caps_.Change(CapChange{NowSeconds(), step_, false, std::nullopt, std::move(caps)},
                 world_.WildCounts());
  }
}

void Simulation::Do(const UnloadStep&, Json& line) {
  const testbed::LoaderOutcome outcome = testbed::UnloadPlugin();
  line["ok"] = outcome.succeeded;
  if (!outcome.succeeded) {
    line["error"] = outcome.error;
  }
}

void Simulation::Do(const PlaceStep& step, Json&) {
  world_.Place(step.kind, Utf16FromUtf8(step.name), step.team, step.count);
}

void Simulation::Do(const SpawnStep& step, Json& line) {
  const std::u16string name = Utf16FromUtf8(step.name);
  Json levels = Json::array();
  std::int64_t destroyed = 0;
  for (std::int32_t i = 0; i < step.count; ++i) {
    const SpawnAnswer answer = world_.Spawn(step.kind, name, step.team, step.level);
    levels.push_back(answer.destroyed ? 0 : answer.level);
    destroyed += answer.destroyed ? 1 : 0;
  }
  history_.AddSpawns(step.kind, step.count, destroyed);
  line["levels"] = std::move(levels);
  line["destroyed"] = destroyed;
}

void Simulation::Do(const RemoveStep& step, Json& line) {
  line["removed"] = world_.RemoveOldest(step.kind, step.count);
}

void Simulation::Do(const TameStep& step, Json& line) {
  line["tamed"] = world_.TameOldestWild(step.kind, step.count, step.team);
}

void Simulation::Do(const InitGameStep&, Json&) { testbed::InitGameMode(); }

void Simulation::Do(const ClockStep& step, Json& line) {
  if (step.set) {
    testbed::SetTicks(step.seconds * testbed::kTicksPerSecond);
  } else {
    testbed::AdvanceTicks(step.seconds * testbed::kTicksPerSecond);
  }
  line["time"] = NowSeconds();
}

void Simulation::Do(const TickStep& step, Json&) {
  for (std::int32_t i = 0; i < step.count; ++i) {
    testbed::RunTimers();
  }
}

void Simulation::Do(const CommandStep& step, Json& line) {
  const FileState dump_before = StateOf(dir_.DumpPath());
  const FileState status_before = StateOf(dir_.StatusPath());
  const std::size_t log_lines_before = testbed::LogLines().size();
  const bool recognised =
      testbed::RunConsoleCommand(PlayerFor(step.player), Utf16FromUtf8(step.text));
  line["recognised"] = recognised;
  dump_written_ = dump_written_ || !(StateOf(dir_.DumpPath()) == dump_before);
  const bool reload = IsReloadLine(step.text);
  if (!reload) {
    PassOverActorQueries();  // the dump's query is no census; a reload's is
  }
  const std::vector<std::string> logged = PluginErrorLines(log_lines_before);
  if (!logged.empty()) {
    line["logged"] = logged;
  }
  if (recognised && step.player == PlayerChoice::kAdmin && reload) {
    ReloadReading reading = ReadReload(world_, caps_.Current());
    line["caps"] = CapsJson(scenario_.kinds, reading.caps);
    caps_.Change(
        CapChange{NowSeconds(), step_, true, std::move(reading.refused), std::move(reading.caps)},
        world_.WildCounts());
  }
  if (!(StateOf(dir_.StatusPath()) == status_before)) {
    line["status"] = StatusFileContent(dir_.StatusPath());
  }
}

void Simulation::Do(const WriteConfigStep& step, Json&) { WriteConfig(dir_, step.config); }

void Simulation::Do(const RunStep& step, Json& line) {
  RunProgress progress(progress_, step.ticks);
  const std::vector<KindStretch> stretches =
      GenerateServerLife(step, scenario_.kinds, world_, history_,
                         [this, &progress](const std::vector<std::int64_t>& wild) {
                           errors_.Collect();  // so that the host keeps none of a long run's errors
                           RecordSample(wild);
                           progress.Tick();
                         });
  Json kinds = Json::object();
  for (std::size_t kind = 0; kind < stretches.size(); ++kind) {
    kinds[scenario_.kinds[kind].id] = StretchJson(stretches[kind]);
  }
  line["kinds"] = std::move(kinds);
}

void Simulation::RecordSample(const std::vector<std::int64_t>& wild) {
  const auto censuses = static_cast<std::int64_t>(ActorQueries() - actor_queries_seen_);
  if (history_.Begun()) {
    census_work_.censuses += censuses;
    census_work_.creatures += static_cast<std::int64_t>(ActorsListed() - actors_listed_seen_);
  }
  history_.Record(NowSeconds(), wild, censuses);
  caps_.Sample(wild);
  PassOverActorQueries();
}

void Simulation::PassOverActorQueries() {
  actor_queries_seen_ = ActorQueries();
  actors_listed_seen_ = ActorsListed();
}

APlayerController* Simulation::PlayerFor(PlayerChoice choice) {
  if (choice == PlayerChoice::kNone) {
    return nullptr;
  }
  const auto found = players_.find(choice);
  if (found != players_.end()) {
    return found->second;
  }
  APlayerController* player = testbed::AddPlayer(PlayerKindOf(choice));
  players_.emplace(choice, player);
  return player;
}

RunResults SimulateInServerDir(const ServerDir& dir, const Scenario& scenario,
                               const std::string& plugin, std::ostream& trace,
                               std::ostream& warnings, std::ostream& progress) {
  WriteConfig(dir, scenario.config);
  StartServer(dir.root, scenario.start_time);
  SimWorld world(scenario.kinds);
  for (const std::string& warning : KindsWithoutPath(scenario.kinds, world)) {
    warnings << warning << "\n";
  }
  Simulation simulation(scenario, world, plugin, dir, AppliedCaps(world));
  if (StandardErrorIsTerminal()) {
    simulation.ShowProgressOn(progress);
  }
  simulation.PerformAll(trace);
  simulation.Finish();
  return RunResults{simulation.History(),     simulation.Errors().PerEntryPoint(),
                    simulation.Censuses(),    simulation.DumpWritten(),
                    simulation.LoadFailure(), simulation.Caps(),
                    simulation.Loaded()};
}

}  // namespace dravelquin::sim
