#pragma once

// The chart an administrator opens in a browser: each capped kind's wild
// population over the recorded stretch, with its cap and the censuses.

#include <string>
#include <vector>

#include "tools/sim/applied_caps.h"
#include "tools/sim/population_history.h"
#include "tools/sim/scenario.h"

namespace dravelquin::sim {

// A standalone SVG document, `title` above one panel per kind whose cap is
// applied or broken, in kind order. Each panel has its own population
// scale, from 0 to a little above the kind's peak and cap, and the same
// time axis (simulated hours since the stretch began): the population as a
// solid line (a history's bucket as its lowest and highest count), the cap
// as a dashed dark line drawn over it and labelled, a broken cap named in
// red instead, and a mark at the foot of the panel where censuses ran.
// Kinds without a cap are left out; when none is left the chart says so.
std::string PopulationChartSvg(const std::vector<ScenarioKind>& kinds,
                               const std::vector<KindCap>& caps, const PopulationHistory& history,
                               const std::string& title);

}  // namespace dravelquin::sim
