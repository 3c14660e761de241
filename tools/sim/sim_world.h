#pragma once

// The game world as the simulator drives it: one game kind per scenario
// kind, and per kind the creatures it put into the world, oldest first, so
// that removing and taming the oldest and counting the wild are cheap.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "testbed/game/game_objects.h"
#include "tools/sim/random.h"
#include "tools/sim/scenario.h"

namespace dravelquin::sim {

struct SpawnAnswer {
  std::int32_t level = 0;  // what the creature got as its base level
  bool destroyed = false;  // it left the world while asking
};

class SimWorld {
 public:
  // Adds one kind to the game per scenario kind, in order. The game must
  // have been reset before.
  explicit SimWorld(const std::vector<ScenarioKind>& kinds);

  // `count` creatures appear without asking for their base level.
  void Place(std::size_t kind, const std::u16string& name, std::int32_t team, std::int32_t count);
  // One creature appears and asks for its base level; the game's own answer
  // is `own_level`. A creature destroyed meanwhile is not kept.
  SpawnAnswer Spawn(std::size_t kind, const std::u16string& name, std::int32_t team,
                    std::int32_t own_level);
  // The oldest creatures of the kind, wild or tamed, leave the world.
  // Returns how many did (fewer when the kind has fewer).
  std::int32_t RemoveOldest(std::size_t kind, std::int32_t count);
  // The oldest wild creatures of the kind get `team`. Returns how many did.
  std::int32_t TameOldestWild(std::size_t kind, std::int32_t count, std::int32_t team);
  // Each wild creature of the kind, oldest first, leaves the world with
  // `probability`, one draw of `random` each; none are drawn for a
  // probability of 0. Returns how many left.
  std::int64_t Cull(std::size_t kind, double probability, SplitMix64& random);

  std::size_t KindCount() const { return kinds_.size(); }
  // The default object of the kind's class in the game: the object whose
  // full name the kind's blueprint path is made from.
  const void* DefaultObjectOf(std::size_t kind) const;

  std::int64_t WildCount(std::size_t kind) const;
  // The wild count of every kind, in kind order.
  std::vector<std::int64_t> WildCounts() const;

 private:
  struct Member {
    testbed::GameCreature* creature;
    std::int32_t team;
  };

  struct KindPopulation {
    testbed::GameClass* game_kind = nullptr;
    std::deque<Member> creatures;  // oldest first
    std::int64_t wild = 0;
  };

  void Keep(std::size_t kind, testbed::GameCreature* creature, std::int32_t team);

  std::vector<KindPopulation> kinds_;
};

}  // namespace dravelquin::sim
