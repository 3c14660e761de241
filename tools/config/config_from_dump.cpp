#include "config_from_dump.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <utility>

#include <nlohmann/json.hpp>

#include "letter_case.h"
#include "name_form.h"
#include "plugin_reading.h"
#include "value_kind.h"

namespace dravelquin {

namespace {

constexpr std::int64_t kMillion = 1000000;
constexpr std::int64_t kLargestCap = std::numeric_limits<std::int32_t>::max();

using OrderedJson = nlohmann::ordered_json;

// The texts of --only, and whether a path or display name holds one of them.
class Selection {
 public:
  explicit Selection(const FromDumpOptions& options) : match_case_(options.match_case) {
    for (const std::string& text : options.only) {
      texts_.push_back(Comparable(text));
    }
  }

  bool Keeps(const DumpBlueprint& blueprint) const {
    if (texts_.empty() || Holds(blueprint.path)) {
      return true;
    }
    return std::any_of(blueprint.names.begin(), blueprint.names.end(),
                       [this](const std::string& name) { return Holds(name); });
  }

 private:
  std::string Comparable(const std::string& text) const {
    return match_case_ ? text : FoldedCase(text);
  }

  bool Holds(const std::string& field) const {
    const std::string comparable = Comparable(field);
    return std::any_of(texts_.begin(), texts_.end(), [&comparable](const std::string& text) {
      return comparable.find(text) != std::string::npos;
    });
  }

  bool match_case_;
  std::vector<std::string> texts_;
};

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
  const Selection selection(options);
  // The paths come in byte order and each once, so the members are listed
  // as they come and the object is made from the list in one pass; adding
  // them one by one would search the members written so far each time.
  std::vector<std::pair<std::string, OrderedJson>> members;
  for (const DumpBlueprint& blueprint : blueprints) {
    if (!selection.Keeps(blueprint)) {
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
    members.emplace_back(blueprint.path, OrderedJson{{"Count", CapFor(blueprint, options)}});
  }
  written.blueprints = members.size();
  OrderedJson settings = {{"General", {{"CheckInterval", kWrittenCheckInterval}}}};
  settings["Dinos"] = OrderedJson::object_t(std::make_move_iterator(members.begin()),
                                            std::make_move_iterator(members.end()));
  written.text = settings.dump(2);
  written.text += '\n';
  return written;
}

}  // namespace dravelquin
