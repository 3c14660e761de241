#include "tools/sim/simulation.h"

#include <algorithm>
#include <system_error>
#include <utility>
#include <variant>
#include <vector>

#include "testbed/game/fresh_server.h"
#include "testbed/game/game_players.h"
#include "testbed/game/game_world.h"
#include "testbed/host/testbed_host.h"
#include "tools/sim/census_watch.h"
#include "tools/sim/progress.h"
#include "tools/sim/server_life.h"
#include "tools/sim/trace.h"
#include "tools/sim/utf16.h"

namespace dravelquin::sim {

namespace {

// What the plug-in's logger writes before the text of a start-up failure.
constexpr const char* kPluginErrorMarker = "[dravelquin][error] ";

std::int64_t NowSeconds() { return testbed::Ticks() / testbed::kTicksPerSecond; }

// The reason a load failed: the start-up error the plug-in logged since
// `log_lines_before`, or else the loader's own message.
std::string LoadFailureText(std::size_t log_lines_before, const std::string& loader_error) {
  const std::vector<std::string> lines = testbed::LogLines();
  const std::string marker = kPluginErrorMarker;
  for (std::size_t i = log_lines_before; i < lines.size(); ++i) {
    const std::size_t found = lines[i].find(marker);
    if (found != std::string::npos) {
      return lines[i].substr(found + marker.size());
    }
  }
  return loader_error;
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
  // Days of server life make millions of engine allocations: keep counting
  // live blocks and misuse, but not a record of every call.
  testbed::StartFreshServer(server_root, testbed::AllocatorRecord::kCountsOnly);
  WatchActorQueries();
  testbed::SetTicks(start_time * testbed::kTicksPerSecond);
}

Simulation::Simulation(const Scenario& scenario, SimWorld& world, std::string plugin_path,
                       std::filesystem::path dump_path)
    : scenario_(scenario),
      world_(world),
      plugin_path_(std::move(plugin_path)),
      dump_path_(std::move(dump_path)),
      history_(scenario.kinds.size()),
      first_recorded_step_(FirstRunStep(scenario)) {}

void Simulation::RunAll(std::ostream& trace) {
  for (std::size_t index = 0; index < scenario_.steps.size(); ++index) {
    WriteTraceLine(trace, Perform(index));
  }
}

Json Simulation::Perform(std::size_t index) {
  const Step& step = scenario_.steps[index];
  if (index == first_recorded_step_) {
    history_.Begin(NowSeconds(), world_.WildCounts());
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
  if (!outcome.succeeded) {
    line["error"] = LoadFailureText(log_lines_before, outcome.error);
    if (!load_failure_) {
      load_failure_ = line["error"].get<std::string>();
    }
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
  const FileState dump_before = StateOf(dump_path_);
  line["recognised"] = testbed::RunConsoleCommand(PlayerFor(step.player), Utf16FromUtf8(step.text));
  dump_written_ = dump_written_ || !(StateOf(dump_path_) == dump_before);
  PassOverActorQueries();  // the dump's query is no census
}

void Simulation::Do(const RunStep& step, Json& line) {
  RunProgress progress(progress_, step.ticks);
  const std::vector<KindStretch> stretches =
      RunServerLife(step, scenario_.kinds, world_, history_,
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

}  // namespace dravelquin::sim
