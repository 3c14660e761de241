#pragma once

// One whole simulation: the server dir, the plug-in's config, the steps,
// then the summary and the chart.

#include <ostream>

#include "tools/sim/command_line.h"
#include "tools/sim/scenario.h"

namespace dravelquin::sim {

// Runs a checked scenario as `options` say: the trace to `trace`, the
// summary to `trace` after it with --report or to `notes` otherwise, and a
// temporary server dir's path to `notes` in any case. Raises
// std::runtime_error when the server dir, the config or the chart cannot
// be written; a temporary server dir is removed when the run raises.
void RunScenario(const Options& options, const Scenario& scenario, std::ostream& trace,
                 std::ostream& notes);

}  // namespace dravelquin::sim
