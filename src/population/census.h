#pragma once

// The census: wild creatures of the configured blueprints, counted per exact
// blueprint path. The spawn gate reads its result between two censuses.

#include "population/census_table.h"

namespace dravelquin {

// Rebuilds CapTable: one entry per member name of "Dinos" (names equal but
// for letter case share the entry of the first in byte order), then one
// actor query counting every wild creature whose blueprint path matches an
// entry. Raises the settings library's errors for a wrongly shaped "Dinos"
// (the table then stays empty) and whatever the game or its allocator raise
// while counting (the counts made so far stay).
void RunCensus();

}  // namespace dravelquin
