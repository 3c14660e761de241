#include "dump_report.h"

#include <algorithm>
#include <optional>

#include "near_names.h"
#include "value_kind.h"

namespace dravelquin {

using nlohmann::json;

namespace {

constexpr std::size_t kUncappedShown = 5;

std::string PointerOf(const std::string& name) {
  return (json::json_pointer("/Dinos") / name).to_string();
}

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

}  // namespace dravelquin
