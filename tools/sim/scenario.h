#pragma once

// A scenario file: its steps and kinds, the limits it must keep, the field
// reader that names what is wrong, strict JSON, and the parser.

#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <set>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace dravelquin::sim {

// How much one scenario may ask of the simulator. Each limit is checked
// while the scenario is read, so a scenario beyond one is refused before
// anything runs, and the simulator's memory and time stay bounded by them.

// Objects and arrays nested within each other, the scenario's own levels
// included (a config under "config" has two fewer, one in a "write_config"
// step two fewer still).
constexpr int kMaxNesting = 100;
// Creatures that one "place" or "spawn" step brings into the world.
constexpr std::int64_t kMaxCreaturesPerStep = 1'000'000;
// Creatures in the world at once, on average, which is what the simulator's
// memory grows with (about 110 bytes each): what the "place" and "spawn"
// steps bring in, tamed ones moved by "tame", and what each "run" step's
// spawns and deaths tend to.
constexpr std::int64_t kMaxCreaturesAtOnce = 2'000'000;
// Creatures that the whole scenario may bring into the world, which is what
// its time grows with: its "place" and "spawn" counts plus what its "run"
// steps spawn on average.
constexpr std::int64_t kMaxCreaturesInAll = 100'000'000;
// Timer rounds in the whole scenario: its "tick" counts plus its "run"
// steps' ticks (ten years of one-minute ticks).
constexpr std::int64_t kMaxTicksInAll = 5'256'000;

// A scenario as the simulator runs it: the server's start, its creature
// kinds and the steps in order, already checked, with every default filled
// in and every kind named by its index in `kinds`.

// Scenario clock at the start, seconds since 1970 UTC: 2026-01-01T00:00:00Z.
constexpr std::int64_t kDefaultStartTime = 1'767'225'600;
// The clock must stay within this many seconds of 1970, where its 100-ns
// ticks, and the plug-in's next census time, still fit 64 bits.
constexpr std::int64_t kClockLimitSeconds = 900'000'000'000;
// Teams from this number on are tamed.
constexpr std::int32_t kTamedTeam = 50000;

struct ScenarioKind {
  std::string id;
  std::string full_name;           // the default object's full name
  std::vector<std::string> names;  // descriptive names for generated spawns
};

enum class ConfigSource {
  kExisting,  // the server dir's config.json is used as it is, if any
  kDocument,  // "config": the value serialised as JSON
  kText,      // "config_text": the text byte for byte
};

struct ScenarioConfig {
  ConfigSource source = ConfigSource::kExisting;
  std::string text;  // what is written as config.json
};

struct LoadStep {};
struct UnloadStep {};

struct PlaceStep {
  std::size_t kind = 0;
  std::string name;
  std::int32_t team = 0;
  std::int32_t count = 1;
};

struct SpawnStep {
  std::size_t kind = 0;
  std::string name;
  std::int32_t team = 0;
  std::int32_t count = 1;
  std::int32_t level = 1;
};

struct RemoveStep {
  std::size_t kind = 0;
  std::int32_t count = 1;
};

struct TameStep {
  std::size_t kind = 0;
  std::int32_t count = 1;
  std::int32_t team = kTamedTeam;
};

struct InitGameStep {};

struct ClockStep {
  bool set = false;  // true: `seconds` is the new time; false: an advance
  std::int64_t seconds = 0;
};

struct TickStep {
  std::int32_t count = 1;
};

enum class PlayerChoice { kAdmin, kPlayer, kNoCharacter, kNoState, kNone };

struct CommandStep {
  std::string text = "debugspawn";
  PlayerChoice player = PlayerChoice::kAdmin;
};

// Rewrites the server's config.json, as an administrator does before typing
// "dravelquin.reload"; `config` is kDocument or kText.
struct WriteConfigStep {
  ScenarioConfig config;
};

struct RunStep {
  std::int64_t ticks = 0;
  std::int32_t tick_seconds = 60;
  std::vector<double> spawn_per_hour;  // per kind index
  std::vector<double> death_per_hour;  // per kind index: fraction of the wild population
  std::uint64_t seed = 1;
};

using StepAction =
    std::variant<LoadStep, UnloadStep, PlaceStep, SpawnStep, RemoveStep, TameStep, InitGameStep,
                 ClockStep, TickStep, CommandStep, RunStep, WriteConfigStep>;

struct Step {
  std::string verb;
  StepAction action;
};

struct Scenario {
  std::int64_t start_time = kDefaultStartTime;
  ScenarioConfig config;
  std::vector<ScenarioKind> kinds;
  std::vector<Step> steps;
};

// Reading the members of one object of a scenario file by name and type.
// Every error names where the object sits and which field is wrong, so the
// simulator can refuse a bad scenario with one clear line.

using Json = nlohmann::ordered_json;

// A scenario that cannot run; what() is the one-line reason.
class ScenarioError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A name as an error shows it, between quotes of the error's own: with the
// escapes JSON writes, so that no control character breaks the one line.
// Examples: "count" -> count; "k\n" (a line end) -> k\n; "a\"b" -> a\"b.
std::string EscapedName(const std::string& name);

// "a string", "an object", "true", "-3", "2.5": a value as an error shows it.
std::string DescribeValue(const Json& value);

class FieldReader {
 public:
  // `place` prefixes every error, such as `step 3 ("spawn")`; empty at the
  // top level of the file. `object` must outlive the reader.
  FieldReader(const Json& object, std::string place);

  bool Has(const char* name) const;
  // The member itself, of any type, or null when absent.
  const Json* Member(const char* name);

  // A whole number within [min, max]; `fallback` when absent. Numbers with
  // a fraction, even .0, are refused.
  std::int64_t Integer(const char* name, std::int64_t fallback, std::int64_t min, std::int64_t max);
  std::int64_t RequiredInteger(const char* name, std::int64_t min, std::int64_t max);
  // A whole number from 0 to 2^64 - 1; `fallback` when absent.
  std::uint64_t Unsigned(const char* name, std::uint64_t fallback);
  // A finite number within [min, max]; the member must be present.
  double RequiredNumber(const char* name, double min, double max);
  std::string String(const char* name, const std::string& fallback);
  std::string RequiredString(const char* name);

  // Raises the error for `field` (a dotted path below this object is fine).
  [[noreturn]] void Fail(const std::string& field, const std::string& problem) const;
  // Raises an error for the first member that nothing has read, suggesting
  // the nearest name asked for when it is a slip away. A member named
  // "comment" is always allowed.
  void RejectUnknownFields() const;

 private:
  const Json& Required(const char* name);
  void Ask(const char* name) const;

  const Json& object_;
  std::string place_;
  std::set<std::string> read_;
  mutable std::vector<std::string> asked_;  // every name looked for, in order
};

// A finite number within [min, max] read from `value`, or the error that
// `reader` raises for `field`.
double NumberWithin(const FieldReader& reader, const std::string& field, const Json& value,
                    double min, double max);

// Reading a scenario file's JSON more strictly than JSON itself does: a name
// given twice in one object is refused rather than one value silently
// winning, and nesting is refused beyond kMaxNesting before it is built.

// The document in `text`. Raises ScenarioError for invalid JSON (with the
// parser's message), a repeated name (naming where, such as
// `steps[2]: "count" is given twice`), a number no double holds (1e400) or
// nesting deeper than kMaxNesting.
Json ParseStrictJson(const std::string& text);

// Naming a scenario kind: by the full name of its default object, as the
// game reports it, or by its blueprint path, as the dump and the config
// name it.

// The full name of a kind given by exactly one of "full_name" and
// "blueprint_path". A blueprint path given as "full_name" is refused with a
// pointer to "blueprint_path", since the plug-in would make no path of it.
std::string KindFullName(FieldReader& kind);

// Turning the text of a scenario file into a checked Scenario.

// Parses and checks the whole scenario before anything runs: invalid JSON,
// an unknown verb, kind, player or field, a value of the wrong type or out
// of range, and a clock moved out of its range all raise ScenarioError
// naming the step index (0-based) and the field.
Scenario ParseScenario(const std::string& text);

}  // namespace dravelquin::sim
