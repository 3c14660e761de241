#include "config/dump.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <utility>

#include "common/text.h"
#include "config/report.h"
#include "plugin_rules/plugin_rules.h"

namespace dravelquin {

using nlohmann::json;

namespace {

constexpr std::size_t kUncappedShown = 5;

std::string DumpPlace(const std::string& file, int line) {
  return file + ":" + std::to_string(line);
}

// The configured name a path's outlook is told at: the name equal to the
// path when there is one, else the first name of the path's entry.
std::string ReportedName(const std::string& path, const std::string& key,
                         const std::vector<std::string>& names, const CensusEntries& entries) {
  if (std::find(names.begin(), names.end(), path) != names.end()) {
    return path;
  }
  return *std::find_if(names.begin(), names.end(), [&](const std::string& name) {
    return entries.EntryKeyOf(name) == key;
  });
}

std::string Verdict(const PathOutlook& outlook) {
  if (!outlook.cap.value) {
    return "the gate fails on its settings and lets every new one through";
  }
  const std::string cap = "cap " + std::to_string(*outlook.cap.value);
  return outlook.next_destroyed ? cap + ": once a census counts them, each new one is destroyed"
                                : cap + ": new ones are let through";
}

void NoteOutlook(const PathOutlook& outlook, const std::string& dump_file,
                 ConfigReport& report) {
  const std::string as = outlook.path == outlook.name ? "" : " as " + Quoted(outlook.path);
  report.About(Severity::kNote, PointerOf(outlook.name),
               std::to_string(outlook.wild) + " wild in the dump" + as + " (" +
                   DumpPlace(dump_file, outlook.dump_line) + "), " + Verdict(outlook));
}

void NoteAbsentName(const std::string& name, const DumpInput& dump, ConfigReport& report) {
  std::vector<std::string> paths;
  for (const DumpBlueprint& blueprint : dump.blueprints) {
    paths.push_back(blueprint.path);
  }
  std::string message = "no creature in the dump has this path";
  if (const auto nearest = NearestOf(name, paths)) {
    const auto line = std::find(paths.begin(), paths.end(), *nearest) - paths.begin();
    message += "; the nearest dump path is " + Quoted(*nearest) + " (" +
               DumpPlace(dump.file, dump.blueprints[static_cast<std::size_t>(line)].first_line) +
               ")";
  }
  report.About(Severity::kNote, PointerOf(name), message);
}

std::vector<Diagnostic> MostNumerousUncapped(const DumpInput& dump, const CensusEntries& entries) {
  std::vector<const DumpBlueprint*> uncapped;
  for (const DumpBlueprint& blueprint : dump.blueprints) {
    if (!entries.EntryKeyOf(blueprint.path)) {
      uncapped.push_back(&blueprint);
    }
  }
  std::stable_sort(
      uncapped.begin(), uncapped.end(),
      [](const DumpBlueprint* a, const DumpBlueprint* b) { return a->wild > b->wild; });
  uncapped.resize(std::min(uncapped.size(), kUncappedShown));
  std::vector<Diagnostic> notes;
  for (const DumpBlueprint* blueprint : uncapped) {
    notes.push_back(Diagnostic{dump.file, TextPosition{blueprint->first_line, 1}, Severity::kNote,
                               Quoted(blueprint->path) + ": " + std::to_string(blueprint->wild) +
                                   " wild and no cap, among the dump's most numerous "
                                   "uncapped blueprints"});
  }
  return notes;
}

}  // namespace

std::vector<PathOutlook> OutlooksOf(const SettingsReader& settings,
                                    const std::vector<DumpBlueprint>& dump) {
  const std::vector<std::string> names = settings.ConfiguredNames().names;
  const CensusEntries entries(names);
  std::vector<PathOutlook> outlooks;
  for (const DumpBlueprint& blueprint : dump) {
    const std::optional<std::string> key = entries.EntryKeyOf(blueprint.path);
    if (!key) {
      continue;
    }
    PathOutlook outlook{ReportedName(blueprint.path, *key, names, entries), blueprint.path,
                        blueprint.wild, blueprint.first_line, settings.Cap(blueprint.path),
                        false};
    outlook.next_destroyed = outlook.cap.value && outlook.wild >= *outlook.cap.value;
    outlooks.push_back(std::move(outlook));
  }
  return outlooks;
}

std::vector<Diagnostic> CompareWithDump(const SettingsReader& settings, const DumpInput& dump,
                                        ConfigReport& report) {
  const std::vector<std::string> names = settings.ConfiguredNames().names;
  std::vector<std::string> names_told;
  for (const PathOutlook& outlook : OutlooksOf(settings, dump.blueprints)) {
    NoteOutlook(outlook, dump.file, report);
    names_told.push_back(outlook.name);
  }
  for (const std::string& name : names) {
    if (std::find(names_told.begin(), names_told.end(), name) == names_told.end()) {
      NoteAbsentName(name, dump, report);
    }
  }
  return MostNumerousUncapped(dump, CensusEntries(names));
}

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
