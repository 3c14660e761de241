#include "tools/sim/sim_world.h"

#include "testbed/game/game_world.h"
#include "tools/sim/utf16.h"

namespace dravelquin::sim {

namespace {

bool IsWildTeam(std::int32_t team) { return team < kTamedTeam; }

}  // namespace

SimWorld::SimWorld(const std::vector<ScenarioKind>& kinds) {
  for (const ScenarioKind& kind : kinds) {
    KindPopulation population;
    population.game_kind = testbed::AddKind(Utf16FromUtf8(kind.full_name));
    kinds_.push_back(std::move(population));
  }
}

void SimWorld::Keep(std::size_t kind, testbed::GameCreature* creature, std::int32_t team) {
  kinds_[kind].creatures.push_back(Member{creature, team});
  kinds_[kind].wild += IsWildTeam(team) ? 1 : 0;
}

void SimWorld::Place(std::size_t kind, const std::u16string& name, std::int32_t team,
                     std::int32_t count) {
  for (std::int32_t i = 0; i < count; ++i) {
    Keep(kind, testbed::PlaceCreature(kinds_[kind].game_kind, name, team), team);
  }
}

SpawnAnswer SimWorld::Spawn(std::size_t kind, const std::u16string& name, std::int32_t team,
                            std::int32_t own_level) {
  const testbed::SpawnResult result =
      testbed::SpawnCreature(kinds_[kind].game_kind, name, team, own_level);
  if (!result.destroyed) {
    Keep(kind, result.creature, team);
  }
  return SpawnAnswer{result.level, result.destroyed};
}

std::int32_t SimWorld::RemoveOldest(std::size_t kind, std::int32_t count) {
  KindPopulation& population = kinds_[kind];
  std::int32_t removed = 0;
  while (removed < count && !population.creatures.empty()) {
    const Member oldest = population.creatures.front();
    population.creatures.pop_front();
    testbed::RemoveCreature(oldest.creature);
    population.wild -= IsWildTeam(oldest.team) ? 1 : 0;
    ++removed;
  }
  return removed;
}

std::int32_t SimWorld::TameOldestWild(std::size_t kind, std::int32_t count, std::int32_t team) {
  KindPopulation& population = kinds_[kind];
  std::int32_t tamed = 0;
  for (Member& member : population.creatures) {
    if (tamed == count) {
      break;
    }
    if (IsWildTeam(member.team)) {
      testbed::RetameCreature(member.creature, team);
      member.team = team;
      population.wild -= IsWildTeam(team) ? 0 : 1;
      ++tamed;
    }
  }
  return tamed;
}

std::int64_t SimWorld::Cull(std::size_t kind, double probability, SplitMix64& random) {
  KindPopulation& population = kinds_[kind];
  if (probability <= 0.0) {
    return 0;
  }
  auto kept_end = population.creatures.begin();
  for (const Member& member : population.creatures) {
    if (IsWildTeam(member.team) && random.Chance(probability)) {
      testbed::RemoveCreature(member.creature);
      continue;
    }
    *kept_end++ = member;
  }
  const auto culled = static_cast<std::int64_t>(population.creatures.end() - kept_end);
  population.creatures.erase(kept_end, population.creatures.end());
  population.wild -= culled;
  return culled;
}

const void* SimWorld::DefaultObjectOf(std::size_t kind) const {
  return kinds_[kind].game_kind->default_object;
}

std::int64_t SimWorld::WildCount(std::size_t kind) const { return kinds_[kind].wild; }

std::vector<std::int64_t> SimWorld::WildCounts() const {
  std::vector<std::int64_t> counts;
  counts.reserve(kinds_.size());
  for (const KindPopulation& population : kinds_) {
    counts.push_back(population.wild);
  }
  return counts;
}

}  // namespace dravelquin::sim
