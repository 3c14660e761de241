#include "config_from_dump.h"

#include <algorithm>
#include <limits>

#include <nlohmann/json.hpp>

#include "name_form.h"
#include "plugin_reading.h"
#include "value_kind.h"

namespace dravelquin {

namespace {

constexpr std::int64_t kMillion = 1000000;
constexpr std::int64_t kLargestCap = std::numeric_limits<std::int32_t>::max();

bool Holds(const std::string& text, const std::vector<std::string>& parts) {
  return std::any_of(parts.begin(), parts.end(), [&text](const std::string& part) {
    return text.find(part) != std::string::npos;
  });
}

bool Selected(const DumpBlueprint& blueprint, const std::vector<std::string>& only) {
  if (only.empty() || Holds(blueprint.path, only)) {
    return true;
  }
  return std::any_of(blueprint.names.begin(), blueprint.names.end(),
                     [&only](const std::string& name) { return Holds(name, only); });
}

// Why no "Dinos" member could cap the path cleanly, or "" when one can.
std::string WhyLeftOut(const std::string& path, const CensusEntries& written) {
  if (FormOfName(path) != NameForm::kBlueprintPath) {
    return "it is not a blueprint path";
  }
  const std::string key = CensusKeyOf(path);
  if (key != path) {
    return "the census would read it as " + Quoted(key) + ", which matches no creature";
  }
  if (const auto entry = written.EntryKeyOf(path)) {
    return "it differs only in letter case from " + Quoted(*entry) +
           ", with which the census would merge it";
  }
  return "";
}

std::int32_t CapFor(const DumpBlueprint& blueprint, const FromDumpOptions& options) {
  return options.cap ? *options.cap : ScaledCap(blueprint.wild, options.scale_millionths);
}

}  // namespace

std::int32_t ScaledCap(std::int64_t wild, std::int64_t scale_millionths) {
  if (scale_millionths > 0 && wild > (kLargestCap * kMillion) / scale_millionths) {
    return static_cast<std::int32_t>(kLargestCap);
  }
  const std::int64_t cap = (wild * scale_millionths + kMillion - 1) / kMillion;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(cap, 1, kLargestCap));
}

WrittenSettings SettingsFromDump(const std::string& dump_file,
                                 const std::vector<DumpBlueprint>& blueprints,
                                 const FromDumpOptions& options) {
  WrittenSettings written;
  CensusEntries entries({});
  nlohmann::ordered_json dinos = nlohmann::ordered_json::object();
  for (const DumpBlueprint& blueprint : blueprints) {
    if (!Selected(blueprint, options.only)) {
      continue;
    }
    const std::string why = WhyLeftOut(blueprint.path, entries);
    if (!why.empty()) {
      written.left_out.push_back(Diagnostic{dump_file, TextPosition{blueprint.first_line, 1},
                                            Severity::kNote,
                                            Quoted(blueprint.path) + " left out: " + why});
      continue;
    }
    entries.Add(blueprint.path);
    dinos[blueprint.path] = {{"Count", CapFor(blueprint, options)}};
  }
  nlohmann::ordered_json settings = {{"General", {{"CheckInterval", kWrittenCheckInterval}}},
                                     {"Dinos", dinos}};
  written.text = settings.dump(2) + "\n";
  written.blueprints = dinos.size();
  return written;
}

}  // namespace dravelquin
