#pragma once

// Running a scenario once per CheckInterval, to see how near each capped kind
// stays to its cap and what the censuses cost at each.

#include <ostream>

#include "tools/sim/command_line.h"
#include "tools/sim/scenario.h"
#include "tools/sim/sweep_outcome.h"

namespace dravelquin::sim {

// Runs `scenario` once for each of `options.sweep`'s intervals, in ascending
// order, each in a new temporary server dir that is removed afterwards, with
// the scenario's config (or --config's) given that CheckInterval. Every run
// starts a fresh server and the same steps with the same seeds, so a run's
// outcome does not depend on the runs before it. Traces are not kept;
// warnings about the kinds (once) and on a terminal the progress of long runs
// go to `notes`. The kinds swept are those the first run's plug-in caps.
// Raises InputProblem when the config cannot be changed, std::runtime_error
// when a server dir cannot be made or written.
SweepOutcome RunIntervalSweep(const Options& options, const Scenario& scenario,
                              std::ostream& notes);

}  // namespace dravelquin::sim
