#include "config/dump.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <utility>

#include "common/text.h"
#include "config/report.h"
#include "plugin_rules/plugin_rules.h"

namespace dravelquin {

using nlohmann::json;

namespace {

constexpr std::size_t kUncappedShown = 5;
// Above this many outlooks that say only their cap, one note sums them up.
constexpr std::size_t kPlainOutlooksShown = 5;

// The entry that counts the creatures of a dump path. The dump writes each
// creature's path in the game's narrow code page, so a byte of 0x80 or
// above stands for a character that no census key holds: a key reads every
// such byte of a name as "?", which matches only a "?".
std::optional<std::string> CountingEntryOf(const CensusEntries& entries,
                                           const std::string& dump_path) {
  if (CensusKeyOf(dump_path) != dump_path) {
    return std::nullopt;
  }
  return entries.EntryKeyOf(dump_path);
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
  return *std::find_if(names.begin(), names.end(),
                       [&](const std::string& name) { return entries.EntryKeyOf(name) == key; });
}

// A cap of 0 or below destroys every new one, counted or not; the warning
// on its "Count" says so, and the outlook only gives the cap.
std::string Verdict(const PathOutlook& outlook) {
  if (!outlook.cap.value) {
    return "the gate fails on its settings and lets every new one through";
  }
  std::string cap = "cap " + std::to_string(*outlook.cap.value);
  if (*outlook.cap.value <= 0) {
    return cap;
  }
  return outlook.next_destroyed ? cap + ": once a census counts them, each new one is destroyed"
                                : cap + ": new ones are let through";
}

// An outlook that says no more than the cap of a path named exactly.
bool IsPlain(const PathOutlook& outlook) {
  return outlook.cap.value && *outlook.cap.value > 0 && outlook.path == outlook.name;
}

// A name that differs from its creatures' path in letter case beyond
// "blueprint'" (which the name's own check tells) counts them, but the gate
// never reads its "Count".
void NoteOutlook(const PathOutlook& outlook, const std::string& dump_file, ConfigReport& report) {
  const std::string place = DumpPlace(dump_file, outlook.dump_line);
  if (outlook.path != WithPathPrefix(outlook.name)) {
    const std::string cap =
        outlook.cap.value ? std::to_string(*outlook.cap.value) : "none, the gate fails on it";
    report.About(Severity::kWarning, PointerOf(outlook.name),
                 "the census counts the dump's " + Quoted(outlook.path) + " (" + place + ", " +
                     std::to_string(outlook.wild) +
                     " wild) under this name, which differs "
                     "in letter case, but the gate reads \"Count\" under that exact path, so "
                     "they are capped at " +
                     cap +
                     " and this member's \"Count\" is never "
                     "read; write the name as " +
                     Quoted(outlook.path));
    return;
  }
  const std::string as = outlook.path == outlook.name ? "" : " as " + Quoted(outlook.path);
  report.About(Severity::kNote, PointerOf(outlook.name),
               std::to_string(outlook.wild) + " wild in the dump" + as + " (" + place + "), " +
                   Verdict(outlook));
}

// One note on "Dinos" in place of the plain outlooks, when there are many.
void SumUpPlainOutlooks(const std::vector<PathOutlook>& outlooks, ConfigReport& report) {
  const auto destroyed = static_cast<std::size_t>(std::count_if(
      outlooks.begin(), outlooks.end(),
      [](const PathOutlook& outlook) { return IsPlain(outlook) && outlook.next_destroyed; }));
  const auto plain =
      static_cast<std::size_t>(std::count_if(outlooks.begin(), outlooks.end(), IsPlain));
  report.About(Severity::kNote, "/Dinos",
               std::to_string(plain) +
                   " of its blueprints are in the dump under their exact "
                   "path: " +
                   std::to_string(destroyed) +
                   " at or above their cap, so once a "
                   "census counts them each new one is destroyed, and " +
                   std::to_string(plain - destroyed) + " below it, so new ones are let through");
}

// The dump's path that a class name such as "Raptor_BP_C" stands for: the
// first one ending in its asset name.
const DumpBlueprint* PathOfClass(const std::string& class_name, const DumpInput& dump) {
  const std::string asset = class_name.substr(0, class_name.size() - 2);
  for (const DumpBlueprint& blueprint : dump.blueprints) {
    if (EndsInAsset(blueprint.path, asset)) {
      return &blueprint;
    }
  }
  return nullptr;
}

void NoteAbsentName(const std::string& name, const DumpInput& dump,
                    const std::optional<NearestIndex>& paths, ConfigReport& report) {
  std::string message = "no creature in the dump has this path";
  const DumpBlueprint* nearest = nullptr;
  if (IsClassName(name)) {
    nearest = PathOfClass(name, dump);
    message += nearest ? "; the dump's path of this class is " : "; no dump path is of this class";
  } else if (const auto at = paths->NearestTo(name)) {
    nearest = &dump.blueprints[*at];
    message += "; the nearest dump path is ";
  }
  if (nearest != nullptr) {
    message += Quoted(nearest->path) + " (" + DumpPlace(dump.file, nearest->first_line) + ")";
  }
  report.About(Severity::kNote, PointerOf(name), message);
}

std::vector<Diagnostic> MostNumerousUncapped(const DumpInput& dump, const CensusEntries& entries) {
  std::vector<const DumpBlueprint*> uncapped;
  for (const DumpBlueprint& blueprint : dump.blueprints) {
    if (!CountingEntryOf(entries, blueprint.path)) {
      uncapped.push_back(&blueprint);
    }
  }
  std::stable_sort(
      uncapped.begin(), uncapped.end(),
      [](const DumpBlueprint* a, const DumpBlueprint* b) { return a->wild > b->wild; });
  uncapped.resize(std::min(uncapped.size(), kUncappedShown));
  std::vector<Diagnostic> notes;
  notes.reserve(uncapped.size());
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
    const std::optional<std::string> key = CountingEntryOf(entries, blueprint.path);
    if (!key) {
      continue;
    }
    PathOutlook outlook{ReportedName(blueprint.path, *key, names, entries),
                        blueprint.path,
                        blueprint.wild,
                        blueprint.first_line,
                        settings.Cap(blueprint.path),
                        false};
    outlook.next_destroyed = outlook.cap.value && outlook.wild >= *outlook.cap.value;
    outlooks.push_back(std::move(outlook));
  }
  return outlooks;
}

std::vector<Diagnostic> CompareWithDump(const SettingsReader& settings, const DumpInput& dump,
                                        ConfigReport& report) {
  const std::vector<std::string> names = settings.ConfiguredNames().names;
  const std::vector<PathOutlook> outlooks = OutlooksOf(settings, dump.blueprints);
  const bool sum_up = static_cast<std::size_t>(std::count_if(outlooks.begin(), outlooks.end(),
                                                             IsPlain)) > kPlainOutlooksShown;
  std::set<std::string> names_told;
  for (const PathOutlook& outlook : outlooks) {
    if (!sum_up || !IsPlain(outlook)) {
      NoteOutlook(outlook, dump.file, report);
    }
    names_told.insert(outlook.name);
  }
  if (sum_up) {
    SumUpPlainOutlooks(outlooks, report);
  }
  std::vector<std::string> absent;
  for (const std::string& name : names) {
    if (names_told.count(name) == 0) {
      absent.push_back(name);
    }
  }
  std::optional<NearestIndex> paths;
  if (!absent.empty()) {
    std::vector<std::string> texts;
    texts.reserve(dump.blueprints.size());
    for (const DumpBlueprint& blueprint : dump.blueprints) {
      texts.push_back(blueprint.path);
    }
    paths.emplace(std::move(texts));
  }
  for (std::size_t done = 0; done < absent.size(); ++done) {
    if (dump.progress) {
      dump.progress(done, absent.size());
    }
    NoteAbsentName(absent[done], dump, paths, report);
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
