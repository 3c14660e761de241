#include "blueprint_settings_check.h"

#include "number_reading.h"
#include "plugin_reading.h"
#include "unknown_members.h"
#include "value_kind.h"

namespace dravelquin {

using nlohmann::json;

namespace {

std::string GateFails(const std::string& error) {
  return ": the gate fails on it (\"" + error +
         "\") and never destroys a creature of this blueprint";
}

void CheckCountValue(const json& count, const std::string& pointer, const LookupOutcome& cap,
                     ConfigReport& report) {
  if (!cap.value) {
    report.About(Severity::kWarning, pointer, "is " + KindOf(count) + GateFails(cap.error));
    return;
  }
  const NumberReading reading = ReadingOf(count, *cap.value);
  const std::string described =
      DescribeReading(report.Map().ValueTextOf(pointer), reading, *cap.value);
  if (*cap.value <= 0) {
    report.About(Severity::kWarning, pointer,
                 described + ", so the gate destroys every creature of this blueprint that "
                             "spawns, even when the census counted none");
  } else if (reading != NumberReading::kExact) {
    report.About(Severity::kWarning, pointer,
                 described + ", so the cap is " + std::to_string(*cap.value));
  }
}

}  // namespace

void CheckBlueprintSettings(const std::string& name, const SettingsReader& settings,
                            ConfigReport& report) {
  const json::json_pointer pointer = json::json_pointer("/Dinos") / name;
  const json& blueprint = settings.Document().at(pointer);
  const LookupOutcome cap = settings.Cap(name);
  if (!blueprint.is_object()) {
    report.About(Severity::kWarning, pointer.to_string(),
                 "is " + KindOf(blueprint) + ", not an object" + GateFails(cap.error));
    return;
  }
  CheckUnknownMembers(blueprint, pointer, {"Count"}, report);
  if (!blueprint.contains("Count")) {
    report.About(Severity::kNote, pointer.to_string(),
                 "has no \"Count\": the cap is " + std::to_string(cap.value.value_or(0)));
    return;
  }
  CheckCountValue(blueprint.at("Count"), (pointer / "Count").to_string(), cap, report);
}

}  // namespace dravelquin
