#pragma once

// The census: wild creatures of the configured blueprints, counted per exact
// blueprint path. The spawn gate reads its result between two censuses.

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

#include "population/census_table.h"

namespace dravelquin {

// Whether the gate adds each creature it lets through to its path's count:
// "General" -> "ExactCaps" as the last census read it; false before the first
// census and after a failed one.
extern bool ExactCapsInForce;

// When the last census that completed started, in 100-ns ticks since 1970 UTC.
extern std::optional<std::int64_t> LastCensusTicks;

// Per narrow blueprint path, the creatures the gate destroyed since the
// plug-in was loaded. Held in a function-local static so that it exists
// before the load-time entry runs.
using DestroyedTotals = std::unordered_map<std::string, std::int64_t, PathHash>;
DestroyedTotals& DestroyedByPath();

// Rebuilds CapTable: one entry per member name of "Dinos" (names equal but
// for letter case share the entry of the first in byte order), then one
// actor query counting every wild creature whose blueprint path matches an
// entry. Raises the settings library's errors for a wrongly shaped "Dinos"
// (the table then stays empty) and whatever the game or its allocator raise
// while counting (the counts made so far stay).
void RunCensus();

}  // namespace dravelquin
