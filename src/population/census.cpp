#include "population/census.h"

#include "engine/naming.h"
#include "host/platform.h"
#include "population/creatures.h"
#include "population/settings.h"

namespace dravelquin {

CapTableMap& CapTable() {
  static CapTableMap table;
  return table;
}

bool CaseInsensitiveLess::operator()(const FString& left, const FString& right) const {
  return CompareIgnoringCase(TextPointer(left), TextPointer(right)) < 0;
}

std::vector<std::string> ConfiguredBlueprintNames(nlohmann::json& settings) {
  return MemberNames(MemberByName(settings, "Dinos"));
}

void AddEntriesForNames(CapTableMap& table, const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    // A name equal to an earlier one but for letter case shares its entry.
    table.try_emplace(FromNarrow(name.c_str()));
  }
}

namespace {

void CountWildCreatures(CapTableMap& table) {
  const EngineArray<AActor*> actors = AllCreatureActors();
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
      ++entry->second[ToNarrow(path)];
    }
  }
}

}  // namespace

void RunCensus() {
  CapTableMap& table = CapTable();
  table.clear();
  AddEntriesForNames(table, ConfiguredBlueprintNames(Settings()));
  CountWildCreatures(table);
}

}  // namespace dravelquin
