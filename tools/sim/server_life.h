#pragma once

// The "run" verb: a generated stretch of server life, deterministic for its
// seed.

#include <cstdint>
#include <functional>
#include <vector>

#include "tools/sim/kind_stretch.h"
#include "tools/sim/population_history.h"
#include "tools/sim/scenario.h"
#include "tools/sim/sim_world.h"

namespace dravelquin::sim {

// Runs `run.ticks` ticks. Each tick: the clock advances `tick_seconds`; the
// host runs its timer callbacks once; each kind in kind order spawns its
// rate per hour scaled to the tick, rounded randomly to a whole number
// whose mean is the scaled rate (wild, team 0, own base level 1, a
// descriptive name drawn from the kind's names or empty); then each wild
// creature of each kind dies with the chance 1 - (1 - f)^(tick/3600) for
// its kind's fraction f per hour. min and max cover the start and the end
// of every tick. The spawns, the creatures the gate destroyed and the
// deaths are recorded in `history`; then `tick_done` runs, which records
// the tick's end there. Returns what happened over the run, one entry per
// kind.
std::vector<KindStretch> RunServerLife(
    const RunStep& run, const std::vector<ScenarioKind>& kinds, SimWorld& world,
    PopulationHistory& history,
    const std::function<void(const std::vector<std::int64_t>& wild)>& tick_done);
// The same, each tick's end recorded in `history` at the clock's time.
std::vector<KindStretch> RunServerLife(const RunStep& run, const std::vector<ScenarioKind>& kinds,
                                       SimWorld& world, PopulationHistory& history);

}  // namespace dravelquin::sim
