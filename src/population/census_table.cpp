#include "population/census_table.h"

#include "host/platform.h"
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

}  // namespace dravelquin
