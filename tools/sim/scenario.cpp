#include "sim/scenario.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/text.h"

namespace dravelquin::sim {

namespace {

constexpr const char* kCommentField = "comment";

std::string Article(const std::string& type_name) {
  return (type_name == "object" || type_name == "array") ? "an " : "a ";
}

std::string RangeText(std::int64_t min, std::int64_t max) {
  return "from " + std::to_string(min) + " to " + std::to_string(max);
}

// Whole numbers without a fraction, others as JSON writes them.
std::string NumberText(double number) {
  constexpr double kExactWholeLimit = 1e15;
  if (std::floor(number) == number && std::fabs(number) < kExactWholeLimit) {
    return std::to_string(static_cast<std::int64_t>(number));
  }
  return Json(number).dump();
}

std::string NumberRangeText(double min, double max) {
  return "from " + NumberText(min) + " to " + NumberText(max);
}

}  // namespace

std::string EscapedName(const std::string& name) {
  const std::string quoted = Json(name).dump();
  return quoted.substr(1, quoted.size() - 2);
}

std::string DescribeValue(const Json& value) {
  if (value.is_number() || value.is_boolean() || value.is_null()) {
    return value.dump();
  }
  return Article(value.type_name()) + value.type_name();
}

FieldReader::FieldReader(const Json& object, std::string place)
    : object_(object), place_(std::move(place)) {}

bool FieldReader::Has(const char* name) const {
  Ask(name);
  return object_.contains(name);
}

void FieldReader::Ask(const char* name) const {
  if (std::find(asked_.begin(), asked_.end(), name) == asked_.end()) {
    asked_.emplace_back(name);
  }
}

const Json* FieldReader::Member(const char* name) {
  Ask(name);
  read_.insert(name);
  const auto found = object_.find(name);
  return found == object_.end() ? nullptr : &*found;
}

const Json& FieldReader::Required(const char* name) {
  const Json* member = Member(name);
  if (member == nullptr) {
    Fail(name, "missing");
  }
  return *member;
}

std::int64_t FieldReader::Integer(const char* name, std::int64_t fallback, std::int64_t min,
                                  std::int64_t max) {
  return Has(name) ? RequiredInteger(name, min, max) : fallback;
}

std::int64_t FieldReader::RequiredInteger(const char* name, std::int64_t min, std::int64_t max) {
  const Json& value = Required(name);
  const std::string expected = "expected a whole number " + RangeText(min, max);
  if (value.is_number_integer() && !value.is_number_unsigned()) {
    const auto number = value.get<std::int64_t>();
    if (number >= min && number <= max) {
      return number;
    }
  }
  if (value.is_number_unsigned()) {
    const auto number = value.get<std::uint64_t>();
    if (max >= 0 && number <= static_cast<std::uint64_t>(max) &&
        static_cast<std::int64_t>(number) >= min) {
      return static_cast<std::int64_t>(number);
    }
  }
  Fail(name, expected + ", got " + DescribeValue(value));
}

std::uint64_t FieldReader::Unsigned(const char* name, std::uint64_t fallback) {
  const Json* value = Member(name);
  if (value == nullptr) {
    return fallback;
  }
  if (value->is_number_unsigned()) {
    return value->get<std::uint64_t>();
  }
  Fail(name,
       "expected a whole number from 0 to 18446744073709551615, got " + DescribeValue(*value));
}

double FieldReader::RequiredNumber(const char* name, double min, double max) {
  return NumberWithin(*this, name, Required(name), min, max);
}

std::string FieldReader::String(const char* name, const std::string& fallback) {
  return Has(name) ? RequiredString(name) : fallback;
}

std::string FieldReader::RequiredString(const char* name) {
  const Json& value = Required(name);
  if (!value.is_string()) {
    Fail(name, "expected a string, got " + DescribeValue(value));
  }
  return value.get<std::string>();
}

void FieldReader::Fail(const std::string& field, const std::string& problem) const {
  const std::string where = place_.empty() ? "" : place_ + ": ";
  throw ScenarioError(where + "field \"" + EscapedName(field) + "\": " + problem);
}

void FieldReader::RejectUnknownFields() const {
  for (const auto& member : object_.items()) {
    if (member.key() != kCommentField && read_.count(member.key()) == 0) {
      const std::optional<std::string> near = NearName(member.key(), asked_);
      Fail(member.key(),
           near ? "unknown field; did you mean " + Json(*near).dump() + "?" : "unknown field");
    }
  }
}

double NumberWithin(const FieldReader& reader, const std::string& field, const Json& value,
                    double min, double max) {
  if (value.is_number()) {
    const auto number = value.get<double>();
    if (std::isfinite(number) && number >= min && number <= max) {
      return number;
    }
  }
  reader.Fail(field,
              "expected a number " + NumberRangeText(min, max) + ", got " + DescribeValue(value));
}

namespace {

// One open object or array while the text is read.
struct OpenValue {
  bool is_array = false;
  std::string last_name;        // an object's member being read
  std::size_t next_index = 0;   // an array's element being read
  std::set<std::string> names;  // an object's names so far
};

// Follows the parser's events, refusing what plain JSON allows.
class StrictnessCheck {
 public:
  bool operator()(int /*depth*/, Json::parse_event_t event, Json& parsed) {
    switch (event) {
      case Json::parse_event_t::object_start:
      case Json::parse_event_t::array_start:
        Open(event == Json::parse_event_t::array_start);
        break;
      case Json::parse_event_t::key:
        Name(parsed.get<std::string>());
        break;
      case Json::parse_event_t::object_end:
      case Json::parse_event_t::array_end:
        open_.pop_back();
        ElementDone();
        break;
      case Json::parse_event_t::value:
        ElementDone();
        break;
    }
    return true;
  }

 private:
  void Open(bool is_array) {
    if (open_.size() >= static_cast<std::size_t>(kMaxNesting)) {
      throw ScenarioError(TopMember() + "nested deeper than " + std::to_string(kMaxNesting) +
                          " levels, the most a scenario may have");
    }
    open_.push_back(OpenValue{is_array, {}, 0, {}});
  }

  void Name(const std::string& name) {
    OpenValue& object = open_.back();
    if (!object.names.insert(name).second) {
      throw ScenarioError(Where() + Json(name).dump() + " is given twice");
    }
    object.last_name = name;
  }

  void ElementDone() {
    if (!open_.empty() && open_.back().is_array) {
      ++open_.back().next_index;
    }
  }

  // "config: ", the top-level member holding the innermost open value; ""
  // at the top.
  std::string TopMember() const {
    return open_.size() < 2 || open_[0].is_array ? "" : EscapedName(open_[0].last_name) + ": ";
  }

  // "steps[2]: ", the place of the innermost open value; "" at the top.
  std::string Where() const {
    std::string path;
    for (std::size_t level = 1; level < open_.size(); ++level) {
      const OpenValue& outer = open_[level - 1];
      path += outer.is_array ? "[" + std::to_string(outer.next_index) + "]"
                             : (path.empty() ? "" : ".") + EscapedName(outer.last_name);
    }
    return path.empty() ? "" : path + ": ";
  }

  std::vector<OpenValue> open_;
};

}  // namespace

Json ParseStrictJson(const std::string& text) {
  try {
    return Json::parse(text, StrictnessCheck());
  } catch (const Json::parse_error& error) {
    throw ScenarioError(std::string("invalid JSON: ") + error.what());
  } catch (const Json::out_of_range& error) {
    // A number such as 1e400 is JSON, but no double holds it.
    throw ScenarioError(std::string("a number beyond the range of a double: ") + error.what());
  }
}

namespace {

constexpr const char* kFullNameField = "full_name";
constexpr const char* kPathField = "blueprint_path";

bool StartsWith(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}

}  // namespace

std::string KindFullName(FieldReader& kind) {
  if (kind.Has(kFullNameField) == kind.Has(kPathField)) {
    kind.Fail(kFullNameField, kind.Has(kPathField)
                                  ? "cannot be given together with \"blueprint_path\""
                                  : "missing (or give \"blueprint_path\")");
  }
  if (kind.Has(kFullNameField)) {
    std::string full_name = kind.RequiredString(kFullNameField);
    if (StartsWith(full_name, kBlueprintPathPrefix)) {
      kind.Fail(kFullNameField,
                "is a blueprint path, of which the plug-in makes no path; give it as "
                "\"blueprint_path\"");
    }
    return full_name;
  }
  const std::string path = kind.RequiredString(kPathField);
  const std::optional<std::string> full_name = FullNameOfBlueprintPath(path);
  if (!full_name) {
    kind.Fail(kPathField,
              "expected blueprint'PACKAGE.ASSET' as the dump shows it, got " + Json(path).dump());
  }
  return *full_name;
}

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
  std::int32_t CreatureCount(FieldReader& reader, std::size_t kind, std::int32_t team);
  void AddCreatures(const FieldReader& reader, const char* field, double creatures);
  void CheckAtOnce(const FieldReader& reader, const char* field, double at_once) const;
  double HeldAtOnce() const;
  void AddRunToLoads(const FieldReader& reader, const RunStep& run);
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
  StepAction ParseWriteConfig(FieldReader& reader);

  Scenario scenario_;
  std::map<std::string, std::size_t> kind_index_;
  std::int64_t clock_ = kDefaultStartTime;
  double creatures_ = 0;    // brought into the world by the steps so far
  std::int64_t ticks_ = 0;  // timer rounds of the steps so far
  // What each kind may hold after the steps so far, on average: an upper
  // estimate, which leaves out the spawn gate and "remove" steps.
  struct KindLoad {
    double wild = 0;
    double tamed = 0;
  };
  std::vector<KindLoad> loads_;
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
      {"write_config", &ScenarioParser::ParseWriteConfig},
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
  loads_.resize(scenario_.kinds.size());
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

std::int32_t ScenarioParser::CreatureCount(FieldReader& reader, std::size_t kind,
                                           std::int32_t team) {
  const std::int32_t count = AsInt32(reader.Integer("count", 1, 0, kMaxCreaturesPerStep));
  AddCreatures(reader, "count", count);
  (team < kTamedTeam ? loads_[kind].wild : loads_[kind].tamed) += count;
  CheckAtOnce(reader, "count", HeldAtOnce());
  return count;
}

void ScenarioParser::AddCreatures(const FieldReader& reader, const char* field, double creatures) {
  creatures_ += creatures;
  if (creatures_ > static_cast<double>(kMaxCreaturesInAll)) {
    reader.Fail(field, "brings the creatures of the scenario to more than " +
                           std::to_string(kMaxCreaturesInAll) + ", the most it may have");
  }
}

void ScenarioParser::CheckAtOnce(const FieldReader& reader, const char* field,
                                 double at_once) const {
  if (at_once > static_cast<double>(kMaxCreaturesAtOnce)) {
    reader.Fail(field, "brings the creatures in the world at once to more than " +
                           std::to_string(kMaxCreaturesAtOnce) +
                           " on average, the most it may hold");
  }
}

double ScenarioParser::HeldAtOnce() const {
  double held = 0;
  for (const KindLoad& load : loads_) {
    held += load.wild + load.tamed;
  }
  return held;
}

// A run's wild creatures of a kind, spawning S a tick and each dying with
// the chance p a tick, tend on average to the level where deaths match
// spawns, S (1 - p) / p, from above or below. So they stay at most at the
// higher of that level and their start, plus one tick's spawns before that
// tick's deaths, and never above their start plus every spawn of the run.
void ScenarioParser::AddRunToLoads(const FieldReader& reader, const RunStep& run) {
  const double tick_hours = run.tick_seconds / kSecondsPerHour;
  const auto ticks = static_cast<double>(run.ticks);
  double peak = 0;
  std::vector<double> wild_after(loads_.size());
  for (std::size_t kind = 0; kind < loads_.size(); ++kind) {
    const double start = loads_[kind].wild;
    const double spawns = run.spawn_per_hour[kind] * tick_hours;
    const double death = 1.0 - std::pow(1.0 - run.death_per_hour[kind], tick_hours);
    double highest = start + run.spawn_per_hour[kind] * ticks * run.tick_seconds / kSecondsPerHour;
    wild_after[kind] = highest;
    if (death > 0.0) {
      const double level = std::max(start, spawns * (1.0 - death) / death);
      highest = std::min(highest, level + spawns);
      wild_after[kind] = std::min(wild_after[kind], level);
    }
    peak += loads_[kind].tamed + highest;
  }
  CheckAtOnce(reader, "spawn_per_hour", peak);
  for (std::size_t kind = 0; kind < loads_.size(); ++kind) {
    loads_[kind].wild = wild_after[kind];
  }
}

void ScenarioParser::AddTicks(const FieldReader& reader, const char* field, std::int64_t ticks) {
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
  place.count = CreatureCount(reader, place.kind, place.team);
  return place;
}

StepAction ScenarioParser::ParseSpawn(FieldReader& reader) {
  SpawnStep spawn;
  spawn.kind = Kind(reader);
  spawn.name = reader.String("name", "");
  spawn.team = AsInt32(reader.Integer("team", 0, kInt32Min, kInt32Max));
  spawn.count = CreatureCount(reader, spawn.kind, spawn.team);
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
  if (tame.team >= kTamedTeam) {
    KindLoad& load = loads_[tame.kind];
    const double tamed = std::min(load.wild, static_cast<double>(tame.count));
    load.wild -= tamed;
    load.tamed += tamed;
  }
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
  AddCreatures(
      reader, "spawn_per_hour",
      spawns_per_hour * static_cast<double>(run.ticks) * run.tick_seconds / kSecondsPerHour);
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
  AddRunToLoads(reader, run);
  MoveClock(reader, "hours", clock_ + run.ticks * run.tick_seconds);
  return run;
}

StepAction ScenarioParser::ParseWriteConfig(FieldReader& reader) {
  WriteConfigStep write{ParseConfig(reader)};
  if (write.config.source == ConfigSource::kExisting) {
    reader.Fail("config", "missing: give the config as \"config\" or as \"config_text\"");
  }
  return write;
}

}  // namespace

Scenario ParseScenario(const std::string& text) {
  return ScenarioParser().Parse(ParseStrictJson(text));
}

}  // namespace dravelquin::sim
