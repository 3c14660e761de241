#include "dinos_check.h"

#include <string>

#include "blueprint_settings_check.h"
#include "name_check.h"
#include "value_kind.h"

namespace dravelquin {

using nlohmann::json;

namespace {

const json::json_pointer kDinos("/Dinos");

// Reports a "Dinos" that caps nothing or makes the census fail; true when
// the census reads names from it.
bool CheckDinosMember(const json& document, const NamesOutcome& census, ConfigReport& report) {
  const std::string pointer = kDinos.to_string();
  if (!document.contains(kDinos)) {
    report.About(Severity::kWarning, pointer, "is absent: no blueprint is capped");
    return false;
  }
  const json& dinos = document.at(kDinos);
  if (census.error) {
    report.About(Severity::kError, pointer,
                 "is " + KindOf(dinos) + ": every census fails with \"" + *census.error +
                     "\", so no creature is ever counted or destroyed");
    return false;
  }
  if (census.names.empty()) {
    report.About(Severity::kWarning, pointer, "is " + KindOf(dinos) + ": no blueprint is capped");
    return false;
  }
  return true;
}

}  // namespace

void CheckDinos(const SettingsReader& settings, ConfigReport& report) {
  const NamesOutcome census = settings.ConfiguredNames();
  if (!CheckDinosMember(settings.Document(), census, report)) {
    return;
  }
  CheckNames(census.names, settings, report);
  for (const std::string& name : census.names) {
    CheckBlueprintSettings(name, settings, report);
  }
}

}  // namespace dravelquin
