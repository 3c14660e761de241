#pragma once

// What an interval sweep tells an administrator: per capped kind, a table of
// how its wild population moved around its cap at each interval and what the
// censuses cost, with the interval recommended for it; then the interval
// recommended for the whole config.

#include <string>

#include "tools/sim/sweep_outcome.h"

namespace dravelquin::sim {

// What a census costs the server per creature it goes through, in seconds:
// the census benchmark over 100,000 creatures with the lean allocator, which
// costs about what a server's own does, as first measured (0.81 µs). The
// census has since become cheaper (docs/benchmarks.md), so the estimate errs
// high.
constexpr double kCensusSecondsPerCreature = 0.8e-6;

// A heading; for each capped kind its table, one row per interval (the
// interval in seconds; the most and the fewest wild creatures above and
// below the cap, in numbers and per cent of the cap; the share of the time
// within the tolerance; the creatures the gate destroyed; the censuses,
// their estimated cost each and in all) and its recommendation line; then
// the config's recommendation line. When the plug-in did not load in some
// run, a line per such run in place of every recommendation. A sentence in
// place of the tables when no kind is capped.
std::string FormatSweep(const SweepOutcome& sweep);

}  // namespace dravelquin::sim
