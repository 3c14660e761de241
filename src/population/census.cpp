#include "population/census.h"

#include <string>

#include "engine/naming.h"
#include "host/platform.h"
#include "population/creatures.h"
#include "population/settings.h"
#include "population/settings_file.h"

namespace dravelquin {

bool ExactCapsInForce = false;
std::optional<std::int64_t> LastCensusTicks;

namespace {

void CountWildCreatures(CapTableMap& table) {
  const EngineArray<AActor*> actors = AllCreatureActors();
  std::string narrow_path;
  for (std::int32_t i = 0; i < actors.count; ++i) {
    const AActor* actor = actors.data[i];
    if (actor == nullptr) {
      continue;
    }
    const FString path = BlueprintPathOf(actor);
    if (!IsWild(actor)) {
      continue;
    }
    const auto entry = table.find(path);
    if (entry != table.end()) {
      NarrowInto(path, narrow_path);
      ++entry->second[narrow_path].counted;
    }
  }
}

}  // namespace

DestroyedTotals& DestroyedByPath() {
  static DestroyedTotals totals;
  return totals;
}

void RunCensus() {
  // Until this census completes, the gate counts nothing of its own.
  ExactCapsInForce = false;
  const bool exact_caps = ExactCapsOf(Settings());
  const std::int64_t started = CurrentTicks();
  CapTableMap& table = CapTable();
  table.clear();
  AddEntriesForNames(table, ConfiguredBlueprintNames(Settings()));
  CountWildCreatures(table);
  ExactCapsInForce = exact_caps;
  LastCensusTicks = started;
}

}  // namespace dravelquin
