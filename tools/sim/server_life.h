#pragma once

// The "run" verb: a generated stretch of server life, deterministic for its
// seed.

#include <cstdint>
#include <vector>

#include "tools/sim/population_history.h"
#include "tools/sim/scenario.h"
#include "tools/sim/sim_world.h"

namespace dravelquin::sim {

// What happened to one kind's wild population over the stretch.
struct KindStretch {
  std::int64_t start = 0;
  std::int64_t min = 0;
  std::int64_t max = 0;
  std::int64_t end = 0;
  std::int64_t spawned = 0;    // creatures that appeared and asked for a base level
  std::int64_t destroyed = 0;  // of those, destroyed by the spawn gate
  std::int64_t died = 0;       // wild creatures that died of the death rate
};

// Runs `run.ticks` ticks. Each tick: the clock advances `tick_seconds`; the
// host runs its timer callbacks once; each kind in kind order spawns its
// rate per hour scaled to the tick, rounded randomly to a whole number
// whose mean is the scaled rate (wild, team 0, own base level 1, a
// descriptive name drawn from the kind's names or empty); then each wild
// creature of each kind dies with the chance 1 - (1 - f)^(tick/3600) for
// its kind's fraction f per hour. min and max cover the start and the end
// of every tick. Every tick's end is recorded in `history`, and so is
// every creature the gate destroyed. Returns one entry per kind.
std::vector<KindStretch> RunServerLife(const RunStep& run, const std::vector<ScenarioKind>& kinds,
                                       SimWorld& world, PopulationHistory& history);

}  // namespace dravelquin::sim
