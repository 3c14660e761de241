#include "tools/sim/server_life.h"

#include <cmath>
#include <string>

#include "testbed/host/testbed_host.h"
#include "tools/sim/random.h"
#include "tools/sim/utf16.h"

namespace dravelquin::sim {

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

TickSpawns SpawnKind(std::size_t kind, const KindLife& life, SimWorld& world,
                     SplitMix64& random) {
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

std::vector<KindStretch> RunServerLife(
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

std::vector<KindStretch> RunServerLife(const RunStep& run, const std::vector<ScenarioKind>& kinds,
                                       SimWorld& world, PopulationHistory& history) {
  return RunServerLife(run, kinds, world, history,
                       [&history](const std::vector<std::int64_t>& wild) {
                         history.Record(testbed::Ticks() / testbed::kTicksPerSecond, wild);
                       });
}

}  // namespace dravelquin::sim
