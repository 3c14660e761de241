#pragma once

// One run of a scenario in a prepared server dir, as both a plain run and an
// interval sweep make it: the config written, a fresh server started, the
// steps played against the loaded plug-in, and what came of them.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tools/sim/applied_caps.h"
#include "tools/sim/plugin_errors.h"
#include "tools/sim/population_history.h"
#include "tools/sim/scenario.h"
#include "tools/sim/server_dir.h"
#include "tools/sim/simulation.h"

namespace dravelquin::sim {

struct RunResults {
  std::vector<KindCap> caps;  // per kind, as the plug-in applies them
  PopulationHistory history;
  std::vector<EntryPointErrors> errors;  // per entry point of the plug-in
  CensusWork censuses;
  bool dump_written = false;
  std::optional<std::string> load_failure;  // why the first failed "load" did
};

// Writes the scenario's config into `dir`, starts a fresh server there and
// runs every step with `plugin` as the library "load" loads, each step's
// trace line to `trace`. Warnings about the kinds go to `warnings`, and on a
// terminal the progress of long runs to `progress`. Raises
// std::runtime_error when the config cannot be written.
RunResults RunInServerDir(const ServerDir& dir, const Scenario& scenario, const std::string& plugin,
                          std::ostream& trace, std::ostream& warnings, std::ostream& progress);

}  // namespace dravelquin::sim
