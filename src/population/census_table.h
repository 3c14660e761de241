#pragma once

// The census's table: one entry per configured blueprint name, matched
// without regard to letter case, holding counts per exact blueprint path.

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include <nlohmann/json.hpp>

#include "engine/fstring.h"

namespace dravelquin {

// Equality as the runtime's _wcsicmp gives 0 in its default locale: the two
// texts (read up to their first zero unit; a string without storage reads as
// "") are equal once A-Z are folded to a-z. Example: "Rex_BP" == "REX_bp".
struct CaseInsensitiveEqual {
  bool operator()(const FString& left, const FString& right) const;
};

// A hash of the text up to its first zero unit (its length and its last 16
// units) that is the same for texts equal but for the letter case of A-Z.
struct CaseInsensitiveHash {
  std::size_t operator()(const FString& s) const;
};

// A hash of every byte of the text, eight at a time: paths under one entry
// differ only in letter case, anywhere along their length.
// Example: "/Game/Rex" and "/game/Rex" hash apart (almost surely).
struct PathHash {
  std::size_t operator()(const std::string& path) const noexcept;
};

// What the census and the spawn gate keep under one exact blueprint path.
struct PathTally {
  // Wild creatures of the path that the last census counted.
  std::int32_t counted = 0;
  // Creatures of the path that the gate let through since that census.
  std::int64_t admitted = 0;
  // The path's total of creatures the gate destroyed since the plug-in was
  // loaded, which outlives the census's table; null until the gate first
  // judges a creature of the path after a census.
  std::int64_t* destroyed = nullptr;
};

// The census's tallies under the narrow form of each exact blueprint path.
using PathCounts = std::unordered_map<std::string, PathTally, PathHash>;

// One entry per member name of "Dinos", matched without regard to letter case.
using CapTableMap =
    std::unordered_map<FString, PathCounts, CaseInsensitiveHash, CaseInsensitiveEqual>;

// The last census's result. Held in a function-local static so that it
// exists before the load-time entry runs.
CapTableMap& CapTable();

// The member names of "Dinos" in `settings`, in byte order: none when
// "Dinos" is null or an empty container, or absent (it is then inserted as
// null). Raises type_error 305 when `settings` is neither null nor an object,
// and invalid_iterator 207 when "Dinos" is a non-empty array or a scalar.
std::vector<std::string> ConfiguredBlueprintNames(nlohmann::json& settings);

// Adds an entry with empty counts for each name, in order, keyed by the name
// made into an engine string with FromNarrow (bytes of 0x80 and above become
// "?"). A name equal to a key already in the table but for letter case
// leaves that entry, its key and its counts as they are.
void AddEntriesForNames(CapTableMap& table, const std::vector<std::string>& names);

}  // namespace dravelquin
