#include "fuzz/scenario_text.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "sim/scenario.h"

namespace dravelquin::fuzz {

namespace {

using sim::Json;

constexpr double kSecondsPerHour = 3600.0;

const char* PlayerName(sim::PlayerChoice player) {
  switch (player) {
    case sim::PlayerChoice::kAdmin:
      return "admin";
    case sim::PlayerChoice::kPlayer:
      return "player";
    case sim::PlayerChoice::kNoCharacter:
      return "no_character";
    case sim::PlayerChoice::kNoState:
      return "no_state";
    case sim::PlayerChoice::kNone:
      return "none";
  }
  return "";
}

void AddConfig(const sim::ScenarioConfig& config, Json& document) {
  switch (config.source) {
    case sim::ConfigSource::kExisting:
      break;
    case sim::ConfigSource::kDocument:
      document["config"] = Json::parse(config.text);
      break;
    case sim::ConfigSource::kText:
      document["config_text"] = config.text;
      break;
  }
}

class StepWriter {
 public:
  explicit StepWriter(const sim::Scenario& scenario) : scenario_(scenario) {}

  Json operator()(const sim::LoadStep&) const { return Verb("load"); }
  Json operator()(const sim::UnloadStep&) const { return Verb("unload"); }
  Json operator()(const sim::InitGameStep&) const { return Verb("init_game"); }

  Json operator()(const sim::PlaceStep& place) const {
    return NewCreatures("place", place.kind, place.name, place.team, place.count);
  }

  Json operator()(const sim::SpawnStep& spawn) const {
    Json step = NewCreatures("spawn", spawn.kind, spawn.name, spawn.team, spawn.count);
    step["level"] = spawn.level;
    return step;
  }

  Json operator()(const sim::RemoveStep& remove) const {
    Json step = Verb("remove");
    step["kind"] = KindId(remove.kind);
    step["count"] = remove.count;
    return step;
  }

  Json operator()(const sim::TameStep& tame) const {
    Json step = Verb("tame");
    step["kind"] = KindId(tame.kind);
    step["count"] = tame.count;
    step["team"] = tame.team;
    return step;
  }

  Json operator()(const sim::ClockStep& clock) const {
    Json step = Verb("clock");
    step[clock.set ? "set" : "advance"] = clock.seconds;
    return step;
  }

  Json operator()(const sim::TickStep& tick) const {
    Json step = Verb("tick");
    step["count"] = tick.count;
    return step;
  }

  Json operator()(const sim::CommandStep& command) const {
    Json step = Verb("command");
    step["text"] = command.text;
    step["player"] = PlayerName(command.player);
    return step;
  }

  Json operator()(const sim::WriteConfigStep& write) const {
    Json step = Verb("write_config");
    AddConfig(write.config, step);
    return step;
  }

  Json operator()(const sim::RunStep& run) const {
    Json step = Verb("run");
    step["hours"] = static_cast<double>(run.ticks) * run.tick_seconds / kSecondsPerHour;
    step["tick_seconds"] = run.tick_seconds;
    step["spawn_per_hour"] = PerKind(run.spawn_per_hour);
    step["death_per_hour"] = PerKind(run.death_per_hour);
    step["seed"] = run.seed;
    return step;
  }

 private:
  static Json Verb(const char* verb) { return Json{{"do", verb}}; }

  // The fields "place" and "spawn" share.
  Json NewCreatures(const char* verb, std::size_t kind, const std::string& name, std::int32_t team,
                    std::int32_t count) const {
    Json step = Verb(verb);
    step["kind"] = KindId(kind);
    step["name"] = name;
    step["team"] = team;
    step["count"] = count;
    return step;
  }

  const std::string& KindId(std::size_t kind) const { return scenario_.kinds.at(kind).id; }

  Json PerKind(const std::vector<double>& rates) const {
    Json object = Json::object();
    for (std::size_t kind = 0; kind < rates.size(); ++kind) {
      object[KindId(kind)] = rates[kind];
    }
    return object;
  }

  const sim::Scenario& scenario_;
};

}  // namespace

std::string ScenarioText(const sim::Scenario& scenario) {
  Json document = Json::object();
  document["start_time"] = scenario.start_time;
  AddConfig(scenario.config, document);
  Json kinds = Json::object();
  for (const sim::ScenarioKind& kind : scenario.kinds) {
    kinds[kind.id] = Json{{"full_name", kind.full_name}, {"names", kind.names}};
  }
  document["kinds"] = kinds;
  Json steps = Json::array();
  const StepWriter writer(scenario);
  for (const sim::Step& step : scenario.steps) {
    steps.push_back(std::visit(writer, step.action));
  }
  document["steps"] = steps;
  return document.dump();
}

}  // namespace dravelquin::fuzz
