#pragma once

// One whole simulation: the server dir, the plug-in's config, the steps,
// then the summary and the chart; or an interval sweep and its tables.

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

// Runs the sweep `options.sweep` asks for (RunIntervalSweep), prints its
// tables to `out` and writes its swing chart with --chart. Raises as
// RunIntervalSweep does, and std::runtime_error when the chart cannot be
// written.
void RunSweep(const Options& options, const Scenario& scenario, std::ostream& out,
              std::ostream& notes);

}  // namespace dravelquin::sim
