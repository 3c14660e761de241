// The world's bookkeeping and generated server life, without the plug-in:
// every creature the simulator counts must be one the game has, and a run
// must be the same for its seed.

#include "sim/run.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>
#include <vector>

#include "game/fresh_server.h"
#include "game/game_world.h"
#include "game/garbage_collection.h"
#include "host_stand_in/testbed_host.h"
#include "sim/world.h"

namespace dravelquin {

namespace {

constexpr std::int64_t kStart = sim::kDefaultStartTime;
constexpr std::int32_t kTamed = sim::kTamedTeam;

std::vector<sim::ScenarioKind> TwoKinds() {
  return {{"raptor", "Raptor_BP_C /Game/Raptor/Raptor_BP.Default__Raptor_BP_C", {"Raptor - Lvl 3"}},
          {"dodo", "Dodo_BP_C /Game/Dodo/Dodo_BP.Default__Dodo_BP_C", {"Dodo", "渡渡鸟"}}};
}

sim::RunStep Stretch(std::int64_t ticks, std::uint64_t seed) {
  sim::RunStep run;
  run.ticks = ticks;
  run.spawn_per_hour = {30.0, 45.0};
  run.death_per_hour = {0.2, 0.05};
  run.seed = seed;
  return run;
}

auto Fields(const sim::KindStretch& s) {
  return std::make_tuple(s.start, s.min, s.max, s.end, s.spawned, s.destroyed, s.died);
}

std::vector<testbed::GameCreature*> Creatures() { return testbed::WorldActors(); }

class SimulatedWorld : public ::testing::Test {
 protected:
  SimulatedWorld() { sim::StartServer("/nonexistent", kStart); }

  std::vector<sim::ScenarioKind> kinds_ = TwoKinds();
  sim::SimWorld world_{kinds_};
  sim::PopulationHistory history_{kinds_.size()};
};

class ServerLife : public SimulatedWorld {
 protected:
  std::vector<sim::KindStretch> Run(const sim::RunStep& run) {
    return sim::GenerateServerLife(run, kinds_, world_, history_);
  }
};

}  // namespace

TEST_F(SimulatedWorld, RemoveOldestTakesTamedAndWildAlike) {
  world_.Place(0, u"old", kTamed, 2);
  world_.Place(0, u"young", 0, 3);
  EXPECT_EQ(3, world_.RemoveOldest(0, 3));
  EXPECT_EQ(2, world_.WildCount(0));
  EXPECT_EQ(2u, testbed::CountCreatures(nullptr, testbed::Wildness::kWild));
  EXPECT_EQ(0u, testbed::CountCreatures(nullptr, testbed::Wildness::kTamed));
}

TEST_F(SimulatedWorld, RemoveOldestStopsWhenTheKindRunsOut) {
  world_.Place(0, u"", 0, 2);
  world_.Place(1, u"", 0, 4);
  EXPECT_EQ(2, world_.RemoveOldest(0, 5));
  EXPECT_EQ(4u, testbed::CountCreatures(nullptr, testbed::Wildness::kAny));
}

TEST_F(SimulatedWorld, TameOldestWildPassesOverTheTamed) {
  world_.Place(0, u"", 0, 1);
  world_.Place(0, u"", 60000, 1);
  world_.Place(0, u"", 0, 2);
  EXPECT_EQ(2, world_.TameOldestWild(0, 2, kTamed));
  std::vector<std::int32_t> teams;
  for (const testbed::GameCreature* creature : Creatures()) {
    teams.push_back(creature->targeting_team);
  }
  EXPECT_EQ((std::vector<std::int32_t>{kTamed, 60000, kTamed, 0}), teams);
  EXPECT_EQ(1, world_.WildCount(0));
}

TEST_F(SimulatedWorld, TamingToAWildTeamKeepsTheCreatureWild) {
  world_.Place(0, u"", 0, 2);
  EXPECT_EQ(1, world_.TameOldestWild(0, 1, 49999));
  EXPECT_EQ(2, world_.WildCount(0));
}

TEST_F(ServerLife, PopulationBalancesSpawnsAndDeaths) {
  world_.Place(0, u"", 0, 40);
  world_.Place(1, u"", 0, 10);
  const std::vector<sim::KindStretch> stretches = Run(Stretch(600, 11));
  for (std::size_t kind = 0; kind < kinds_.size(); ++kind) {
    const sim::KindStretch& s = stretches[kind];
    EXPECT_EQ(s.start + s.spawned - s.destroyed - s.died, s.end) << kinds_[kind].id;
    EXPECT_EQ(world_.WildCount(kind), s.end) << kinds_[kind].id;
    EXPECT_LE(s.min, std::min(s.start, s.end));
    EXPECT_GE(s.max, std::max(s.start, s.end));
  }
  EXPECT_EQ(static_cast<std::size_t>(stretches[0].end + stretches[1].end),
            testbed::CountCreatures(nullptr, testbed::Wildness::kWild));
}

TEST_F(ServerLife, SameSeedGivesTheSameStretch) {
  const std::vector<sim::KindStretch> first = Run(Stretch(300, 42));
  sim::StartServer("/nonexistent", kStart);
  sim::SimWorld fresh_world(kinds_);
  const std::vector<sim::KindStretch> second =
      sim::GenerateServerLife(Stretch(300, 42), kinds_, fresh_world, history_);
  for (std::size_t kind = 0; kind < kinds_.size(); ++kind) {
    EXPECT_EQ(Fields(first[kind]), Fields(second[kind])) << kinds_[kind].id;
  }
}

TEST_F(ServerLife, DifferentSeedsGiveDifferentStretches) {
  const std::vector<sim::KindStretch> first = Run(Stretch(300, 1));
  sim::StartServer("/nonexistent", kStart);
  sim::SimWorld fresh_world(kinds_);
  const std::vector<sim::KindStretch> second =
      sim::GenerateServerLife(Stretch(300, 2), kinds_, fresh_world, history_);
  EXPECT_NE(Fields(first[1]), Fields(second[1]));
}

TEST_F(ServerLife, WholeSpawnsPerTickAreExact) {
  sim::RunStep run = Stretch(90, 3);
  run.spawn_per_hour = {60.0, 120.0};
  run.death_per_hour = {0.0, 0.0};
  const std::vector<sim::KindStretch> stretches = Run(run);
  EXPECT_EQ(90, stretches[0].spawned);
  EXPECT_EQ(180, stretches[1].spawned);
  EXPECT_EQ(270u, testbed::CountCreatures(nullptr, testbed::Wildness::kWild));
}

TEST_F(ServerLife, CertainDeathTakesEveryWildCreatureAndNoTamedOne) {
  world_.Place(0, u"", 0, 5);
  world_.Place(0, u"", kTamed, 2);
  sim::RunStep run = Stretch(1, 4);
  run.spawn_per_hour = {0.0, 0.0};
  run.death_per_hour = {1.0, 1.0};
  const std::vector<sim::KindStretch> stretches = Run(run);
  EXPECT_EQ(5, stretches[0].died);
  EXPECT_EQ(0, stretches[0].end);
  EXPECT_EQ(2u, testbed::CountCreatures(nullptr, testbed::Wildness::kTamed));
  EXPECT_EQ(0u, testbed::CountCreatures(nullptr, testbed::Wildness::kWild));
}

TEST_F(ServerLife, LongAndShortRunsKeepTheSameBounds) {
  struct Kept {
    std::uint64_t spawns;          // the game's own base-level calls, all counted
    std::size_t base_level_calls;  // of those, kept in the game's journal
    std::size_t departed_held;     // creatures gone from the world, still in memory
  };
  const auto run_for = [this](std::int64_t ticks) {
    sim::StartServer("/nonexistent", kStart);
    sim::SimWorld world(kinds_);
    sim::RunStep run = Stretch(ticks, 7);
    run.spawn_per_hour = {6000.0, 3000.0};  // 150 a tick
    run.death_per_hour = {0.9, 0.9};
    sim::GenerateServerLife(run, kinds_, world, history_);
    return Kept{
        testbed::CountGameCalls().own_base_levels, testbed::OwnBaseLevelCalls().size(),
        testbed::CreaturesHeld() - testbed::CountCreatures(nullptr, testbed::Wildness::kAny)};
  };
  const Kept short_run = run_for(10);
  const Kept long_run = run_for(400);
  EXPECT_EQ(1500u, short_run.spawns);
  EXPECT_EQ(60000u, long_run.spawns);
  EXPECT_EQ(testbed::kLongRunCallsKept, short_run.base_level_calls);
  EXPECT_EQ(testbed::kLongRunCallsKept, long_run.base_level_calls);
  EXPECT_LE(short_run.departed_held, testbed::kLongRunDepartedKept);
  EXPECT_LE(long_run.departed_held, testbed::kLongRunDepartedKept);
}

TEST_F(ServerLife, ClockAdvancesTickByTickAndEachTickIsRecorded) {
  history_.Begin(kStart, world_.WildCounts());
  sim::RunStep run = Stretch(10, 5);
  run.tick_seconds = 300;
  Run(run);
  EXPECT_EQ((kStart + 3000) * testbed::kTicksPerSecond, testbed::Ticks());
  ASSERT_EQ(11, history_.SampleCount());
  ASSERT_EQ(11u, history_.BucketCount());
  EXPECT_EQ(kStart + 300, history_.FirstTimeOf(1));
  EXPECT_EQ(kStart + 3000, history_.FirstTimeOf(10));
}

}  // namespace dravelquin
