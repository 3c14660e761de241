#pragma once

// The config a sweep runs at one interval: the scenario's own (or the one
// --config gives) with "General" > "CheckInterval" set to that interval and
// nothing else changed.

#include <cstdint>

#include "tools/sim/scenario.h"

namespace dravelquin::sim {

// `config` with General.CheckInterval set to `seconds`, written compactly;
// a "General" that is missing is added. Raises InputProblem, "cannot sweep
// CheckInterval: REASON", when the config is not a document the sweep can
// change: none is given (the server dir's own config.json would run, which a
// sweep never writes), its text is not JSON (or gives a name twice, which
// rewriting would silently settle), or it or its "General" is not an object.
ScenarioConfig WithCheckInterval(const ScenarioConfig& config, std::int64_t seconds);

}  // namespace dravelquin::sim
