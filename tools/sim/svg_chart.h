#pragma once

// The chart an administrator opens in a browser: each capped kind's wild
// population over the recorded stretch, with its cap.

#include <string>
#include <vector>

#include "tools/sim/applied_caps.h"
#include "tools/sim/population_history.h"
#include "tools/sim/scenario.h"

namespace dravelquin::sim {

// More samples than this per kind are thinned to the lowest and highest
// sample of each of half as many runs of neighbouring samples, so peaks
// and troughs survive.
constexpr std::size_t kMaxChartPoints = 2000;

// The samples the chart draws for a kind, in time order: all of them, or
// when there are more than kMaxChartPoints, the lowest and the highest of
// each run of neighbours.
std::vector<std::size_t> ChartSamples(const PopulationHistory& history, std::size_t kind);

// A standalone SVG document: one solid line per capped kind (population
// against simulated hours since the stretch began) and a dashed line of
// the same colour at its cap; axes with ticks and labels, a legend naming
// each kind with its cap and peak, and `title` above. Kinds that are not
// capped are left out; when none is capped the chart says so.
std::string PopulationChartSvg(const std::vector<ScenarioKind>& kinds,
                               const std::vector<KindCap>& caps, const PopulationHistory& history,
                               const std::string& title);

}  // namespace dravelquin::sim
