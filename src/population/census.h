#pragma once

// The census: wild creatures of the configured blueprints, counted per exact
// blueprint path. The spawn gate reads its result between two censuses.

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>

#include "engine/fstring.h"

// Orders engine strings as the runtime's _wcsicmp does: A-Z folded to a-z,
// units compared as unsigned numbers; a string without storage reads as "".
struct CaseInsensitiveLess {
  bool operator()(const FString& left, const FString& right) const;
};

// Wild creatures counted under the narrow form of their exact blueprint path.
using PathCounts = std::unordered_map<std::string, std::int32_t>;

// One entry per member name of "Dinos", matched without regard to letter case.
using CapTableMap = std::map<FString, PathCounts, CaseInsensitiveLess>;

// The last census's result. Held in a function-local static so that it
// exists before the load-time entry runs.
CapTableMap& CapTable();

// Rebuilds CapTable: one entry per member name of "Dinos" (names equal but
// for letter case share the entry of the first in byte order), then one
// actor query counting every wild creature whose blueprint path matches an
// entry. Raises the settings library's errors for a wrongly shaped "Dinos"
// (the table then stays empty) and whatever the game or its allocator raise
// while counting (the counts made so far stay).
void RunCensus();
