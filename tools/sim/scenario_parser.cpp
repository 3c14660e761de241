#include "tools/sim/scenario_parser.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tools/sim/kind_name.h"
#include "tools/sim/scenario_limits.h"
#include "tools/sim/strict_json.h"

namespace dravelquin::sim {

namespace {

constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr double kSecondsPerHour = 3600.0;
constexpr double kMaxRatePerHour = 1e9;

std::int32_t AsInt32(std::int64_t value) { return static_cast<std::int32_t>(value); }

// The whole ticks of `tick_seconds` in `hours`. A length that is a whole
// number of ticks but for the rounding of its decimal digits counts that
// number: "hours": 2.05 is 123 one-minute ticks, though 2.05 * 60 is
// 122.99999999999999 in binary.
std::int64_t WholeTicks(double hours, std::int32_t tick_seconds) {
  constexpr double kRoundingSlack = 1e-9;
  const double ticks = hours * kSecondsPerHour / tick_seconds;
  const double nearest = std::round(ticks);
  const bool whole_but_for_rounding =
      std::fabs(ticks - nearest) <= kRoundingSlack * std::max(1.0, nearest);
  return static_cast<std::int64_t>(whole_but_for_rounding ? nearest : std::floor(ticks));
}

std::string Quoted(const std::string& text) { return Json(text).dump(); }

class ScenarioParser {
 public:
  Scenario Parse(const Json& document);

 private:
  using VerbParser = StepAction (ScenarioParser::*)(FieldReader&);

  static const std::map<std::string, VerbParser>& Verbs();
  static std::string VerbList();

  void ParseKinds(const Json* kinds);
  ScenarioKind ParseKind(const std::string& id, const Json& value) const;
  ScenarioConfig ParseConfig(FieldReader& top) const;
  Step ParseStep(const Json& step, std::size_t index);

  std::size_t Kind(FieldReader& reader);
  std::size_t KindNamed(const FieldReader& reader, const std::string& field,
                        const std::string& id) const;
  std::int32_t Count(FieldReader& reader) const;
  std::int32_t CreatureCount(FieldReader& reader);
  void AddCreatures(const FieldReader& reader, const char* field, double creatures);
  void AddTicks(const FieldReader& reader, const char* field, std::int64_t ticks);
  void MoveClock(const FieldReader& reader, const char* field, std::int64_t new_time);
  std::vector<double> PerKindRates(const FieldReader& reader, const std::string& field,
                                   const Json* value, double max) const;

  StepAction ParseLoad(FieldReader& reader);
  StepAction ParseUnload(FieldReader& reader);
  StepAction ParsePlace(FieldReader& reader);
  StepAction ParseSpawn(FieldReader& reader);
  StepAction ParseRemove(FieldReader& reader);
  StepAction ParseTame(FieldReader& reader);
  StepAction ParseInitGame(FieldReader& reader);
  StepAction ParseClock(FieldReader& reader);
  StepAction ParseTick(FieldReader& reader);
  StepAction ParseCommand(FieldReader& reader);
  StepAction ParseRun(FieldReader& reader);

  Scenario scenario_;
  std::map<std::string, std::size_t> kind_index_;
  std::int64_t clock_ = kDefaultStartTime;
  double creatures_ = 0;    // brought into the world by the steps so far
  std::int64_t ticks_ = 0;  // timer rounds of the steps so far
};

const std::map<std::string, ScenarioParser::VerbParser>& ScenarioParser::Verbs() {
  static const std::map<std::string, VerbParser> verbs = {
      {"load", &ScenarioParser::ParseLoad},
      {"unload", &ScenarioParser::ParseUnload},
      {"place", &ScenarioParser::ParsePlace},
      {"spawn", &ScenarioParser::ParseSpawn},
      {"remove", &ScenarioParser::ParseRemove},
      {"tame", &ScenarioParser::ParseTame},
      {"init_game", &ScenarioParser::ParseInitGame},
      {"clock", &ScenarioParser::ParseClock},
      {"tick", &ScenarioParser::ParseTick},
      {"command", &ScenarioParser::ParseCommand},
      {"run", &ScenarioParser::ParseRun},
  };
  return verbs;
}

std::string ScenarioParser::VerbList() {
  std::string list;
  for (const auto& verb : Verbs()) {
    list += (list.empty() ? "" : ", ") + verb.first;
  }
  return list;
}

Scenario ScenarioParser::Parse(const Json& document) {
  if (!document.is_object()) {
    throw ScenarioError("the scenario must be a JSON object, got " + DescribeValue(document));
  }
  FieldReader top(document, "");
  scenario_.start_time =
      top.Integer("start_time", kDefaultStartTime, -kClockLimitSeconds, kClockLimitSeconds);
  clock_ = scenario_.start_time;
  scenario_.config = ParseConfig(top);
  ParseKinds(top.Member("kinds"));
  const Json* steps = top.Member("steps");
  if (steps == nullptr || !steps->is_array()) {
    top.Fail("steps",
             steps == nullptr ? "missing" : "expected an array, got " + DescribeValue(*steps));
  }
  top.RejectUnknownFields();
  for (std::size_t index = 0; index < steps->size(); ++index) {
    scenario_.steps.push_back(ParseStep((*steps)[index], index));
  }
  return std::move(scenario_);
}

ScenarioConfig ScenarioParser::ParseConfig(FieldReader& top) const {
  const Json* document = top.Member("config");
  if (document != nullptr && top.Has("config_text")) {
    top.Fail("config_text", "cannot be given together with \"config\"");
  }
  if (document != nullptr) {
    // Compact: indented text grows with the square of the nesting.
    return ScenarioConfig{ConfigSource::kDocument, document->dump() + "\n"};
  }
  if (top.Has("config_text")) {
    return ScenarioConfig{ConfigSource::kText, top.RequiredString("config_text")};
  }
  return ScenarioConfig{};
}

void ScenarioParser::ParseKinds(const Json* kinds) {
  if (kinds == nullptr) {
    return;
  }
  if (!kinds->is_object()) {
    throw ScenarioError("field \"kinds\": expected an object of kind ids, got " +
                        DescribeValue(*kinds));
  }
  for (const auto& member : kinds->items()) {
    kind_index_.emplace(member.key(), scenario_.kinds.size());
    scenario_.kinds.push_back(ParseKind(member.key(), member.value()));
  }
}

ScenarioKind ScenarioParser::ParseKind(const std::string& id, const Json& value) const {
  const std::string place = "kind " + Quoted(id);
  if (!value.is_object()) {
    throw ScenarioError(place + ": expected an object, got " + DescribeValue(value));
  }
  FieldReader reader(value, place);
  ScenarioKind kind{id, KindFullName(reader), {}};
  if (const Json* names = reader.Member("names")) {
    if (!names->is_array()) {
      reader.Fail("names", "expected an array of strings, got " + DescribeValue(*names));
    }
    for (std::size_t i = 0; i < names->size(); ++i) {
      const Json& name = (*names)[i];
      if (!name.is_string()) {
        reader.Fail("names[" + std::to_string(i) + "]",
                    "expected a string, got " + DescribeValue(name));
      }
      kind.names.push_back(name.get<std::string>());
    }
  }
  reader.RejectUnknownFields();
  return kind;
}

Step ScenarioParser::ParseStep(const Json& step, std::size_t index) {
  const std::string place = "step " + std::to_string(index);
  if (!step.is_object()) {
    throw ScenarioError(place + ": expected an object, got " + DescribeValue(step));
  }
  FieldReader verb_reader(step, place);
  const std::string verb = verb_reader.RequiredString("do");
  const auto found = Verbs().find(verb);
  if (found == Verbs().end()) {
    verb_reader.Fail("do", "unknown verb " + Quoted(verb) + " (known: " + VerbList() + ")");
  }
  FieldReader reader(step, place + " (" + Quoted(verb) + ")");
  reader.Member("do");
  StepAction action = (this->*(found->second))(reader);
  reader.RejectUnknownFields();
  return Step{verb, std::move(action)};
}

std::size_t ScenarioParser::Kind(FieldReader& reader) {
  return KindNamed(reader, "kind", reader.RequiredString("kind"));
}

std::size_t ScenarioParser::KindNamed(const FieldReader& reader, const std::string& field,
                                      const std::string& id) const {
  const auto found = kind_index_.find(id);
  if (found == kind_index_.end()) {
    reader.Fail(field, "unknown kind " + Quoted(id));
  }
  return found->second;
}

std::int32_t ScenarioParser::Count(FieldReader& reader) const {
  return AsInt32(reader.Integer("count", 1, 0, kInt32Max));
}

std::int32_t ScenarioParser::CreatureCount(FieldReader& reader) {
  const std::int32_t count = AsInt32(reader.Integer("count", 1, 0, kMaxCreaturesPerStep));
  AddCreatures(reader, "count", count);
  return count;
}

void ScenarioParser::AddCreatures(const FieldReader& reader, const char* field,
                                  double creatures) {
  creatures_ += creatures;
  if (creatures_ > static_cast<double>(kMaxCreaturesInAll)) {
    reader.Fail(field, "brings the creatures of the scenario to more than " +
                           std::to_string(kMaxCreaturesInAll) + ", the most it may have");
  }
}

void ScenarioParser::AddTicks(const FieldReader& reader, const char* field,
                              std::int64_t ticks) {
  ticks_ += ticks;
  if (ticks_ > kMaxTicksInAll) {
    reader.Fail(field, "brings the timer rounds of the scenario to " + std::to_string(ticks_) +
                           ", beyond the most it may have, " + std::to_string(kMaxTicksInAll));
  }
}

void ScenarioParser::MoveClock(const FieldReader& reader, const char* field,
                               std::int64_t new_time) {
  if (new_time < -kClockLimitSeconds || new_time > kClockLimitSeconds) {
    reader.Fail(field, "moves the clock to " + std::to_string(new_time) +
                           ", beyond its range of 1970 plus or minus " +
                           std::to_string(kClockLimitSeconds) + " seconds");
  }
  clock_ = new_time;
}

StepAction ScenarioParser::ParseLoad(FieldReader&) { return LoadStep{}; }

StepAction ScenarioParser::ParseUnload(FieldReader&) { return UnloadStep{}; }

StepAction ScenarioParser::ParsePlace(FieldReader& reader) {
  PlaceStep place;
  place.kind = Kind(reader);
  place.name = reader.String("name", "");
  place.team = AsInt32(reader.Integer("team", 0, kInt32Min, kInt32Max));
  place.count = CreatureCount(reader);
  return place;
}

StepAction ScenarioParser::ParseSpawn(FieldReader& reader) {
  SpawnStep spawn;
  spawn.kind = Kind(reader);
  spawn.name = reader.String("name", "");
  spawn.team = AsInt32(reader.Integer("team", 0, kInt32Min, kInt32Max));
  spawn.count = CreatureCount(reader);
  spawn.level = AsInt32(reader.Integer("level", 1, kInt32Min, kInt32Max));
  return spawn;
}

StepAction ScenarioParser::ParseRemove(FieldReader& reader) {
  RemoveStep remove;
  remove.kind = Kind(reader);
  remove.count = Count(reader);
  return remove;
}

StepAction ScenarioParser::ParseTame(FieldReader& reader) {
  TameStep tame;
  tame.kind = Kind(reader);
  tame.count = Count(reader);
  tame.team = AsInt32(reader.Integer("team", kTamedTeam, kInt32Min, kInt32Max));
  return tame;
}

StepAction ScenarioParser::ParseInitGame(FieldReader&) { return InitGameStep{}; }

StepAction ScenarioParser::ParseClock(FieldReader& reader) {
  const bool advance = reader.Has("advance");
  const bool set = reader.Has("set");
  if (advance == set) {
    reader.Fail(set ? "set" : "advance",
                set ? "cannot be given together with \"advance\"" : "missing (or give \"set\")");
  }
  ClockStep clock;
  clock.set = set;
  if (set) {
    clock.seconds = reader.RequiredInteger("set", -kClockLimitSeconds, kClockLimitSeconds);
    MoveClock(reader, "set", clock.seconds);
  } else {
    clock.seconds =
        reader.RequiredInteger("advance", -2 * kClockLimitSeconds, 2 * kClockLimitSeconds);
    MoveClock(reader, "advance", clock_ + clock.seconds);
  }
  return clock;
}

StepAction ScenarioParser::ParseTick(FieldReader& reader) {
  const TickStep tick{Count(reader)};
  AddTicks(reader, "count", tick.count);
  return tick;
}

StepAction ScenarioParser::ParseCommand(FieldReader& reader) {
  static const std::map<std::string, PlayerChoice> players = {
      {"admin", PlayerChoice::kAdmin},
      {"player", PlayerChoice::kPlayer},
      {"no_character", PlayerChoice::kNoCharacter},
      {"no_state", PlayerChoice::kNoState},
      {"none", PlayerChoice::kNone},
  };
  CommandStep command;
  command.text = reader.String("text", command.text);
  const std::string player = reader.String("player", "admin");
  const auto found = players.find(player);
  if (found == players.end()) {
    reader.Fail("player", "unknown player " + Quoted(player) +
                              " (known: admin, player, no_character, no_state, none)");
  }
  command.player = found->second;
  return command;
}

std::vector<double> ScenarioParser::PerKindRates(const FieldReader& reader,
                                                 const std::string& field, const Json* value,
                                                 double max) const {
  std::vector<double> rates(scenario_.kinds.size(), 0.0);
  if (value == nullptr) {
    return rates;
  }
  if (!value->is_object()) {
    reader.Fail(field, "expected an object of kind ids to numbers, got " + DescribeValue(*value));
  }
  for (const auto& member : value->items()) {
    const std::string member_field = field + "." + member.key();
    const std::size_t kind = KindNamed(reader, member_field, member.key());
    rates[kind] = NumberWithin(reader, member_field, member.value(), 0.0, max);
  }
  return rates;
}

StepAction ScenarioParser::ParseRun(FieldReader& reader) {
  constexpr double kMaxHours = 2.0 * static_cast<double>(kClockLimitSeconds) / kSecondsPerHour;
  RunStep run;
  const double hours = reader.RequiredNumber("hours", 0.0, kMaxHours);
  run.tick_seconds = AsInt32(reader.Integer("tick_seconds", run.tick_seconds, 1, kInt32Max));
  run.ticks = WholeTicks(hours, run.tick_seconds);
  if (run.ticks < 1) {
    reader.Fail("hours",
                "shorter than one tick of " + std::to_string(run.tick_seconds) + " seconds");
  }
  AddTicks(reader, "hours", run.ticks);
  run.spawn_per_hour =
      PerKindRates(reader, "spawn_per_hour", reader.Member("spawn_per_hour"), kMaxRatePerHour);
  double spawns_per_hour = 0;
  for (const double rate : run.spawn_per_hour) {
    spawns_per_hour += rate;
  }
  AddCreatures(reader, "spawn_per_hour",
               spawns_per_hour * static_cast<double>(run.ticks) * run.tick_seconds /
                   kSecondsPerHour);
  const Json* deaths = reader.Member("death_per_hour");
  if (deaths != nullptr && !deaths->is_number() && !deaths->is_object()) {
    reader.Fail("death_per_hour",
                "expected a fraction from 0 to 1 or an object of kind ids to fractions, got " +
                    DescribeValue(*deaths));
  }
  if (deaths != nullptr && deaths->is_number()) {
    run.death_per_hour.assign(scenario_.kinds.size(),
                              NumberWithin(reader, "death_per_hour", *deaths, 0.0, 1.0));
  } else {
    run.death_per_hour = PerKindRates(reader, "death_per_hour", deaths, 1.0);
  }
  run.seed = reader.Unsigned("seed", run.seed);
  MoveClock(reader, "hours", clock_ + run.ticks * run.tick_seconds);
  return run;
}

}  // namespace

Scenario ParseScenario(const std::string& text) {
  return ScenarioParser().Parse(ParseStrictJson(text));
}

}  // namespace dravelquin::sim
