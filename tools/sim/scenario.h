#pragma once

// A scenario as the simulator runs it: the server's start, its creature
// kinds and the steps in order, already checked, with every default filled
// in and every kind named by its index in `kinds`.

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace dravelquin::sim {

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

struct RunStep {
  std::int64_t ticks = 0;
  std::int32_t tick_seconds = 60;
  std::vector<double> spawn_per_hour;  // per kind index
  std::vector<double> death_per_hour;  // per kind index: fraction of the wild population
  std::uint64_t seed = 1;
};

using StepAction = std::variant<LoadStep, UnloadStep, PlaceStep, SpawnStep, RemoveStep, TameStep,
                                InitGameStep, ClockStep, TickStep, CommandStep, RunStep>;

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

}  // namespace dravelquin::sim
