#pragma once

// The chart of an interval sweep: for each capped kind, how far its wild
// population swung around its cap at each interval tried.

#include <string>

#include "tools/sim/sweep_outcome.h"

namespace dravelquin::sim {

// A standalone SVG document in the style of the population chart: one panel
// per capped kind, in kind order, each with its own population scale and the
// same interval axis (one place per interval tried, ascending, labelled in
// seconds). A panel shows the band within the tolerance of the cap, the
// highest and the lowest count at each interval joined by a bar and by a
// solid (highest) and a dotted (lowest) line, and the cap as the population
// chart draws it. Says so when no kind is capped.
std::string SwingChartSvg(const SweepOutcome& sweep);

}  // namespace dravelquin::sim
