#include "name_check.h"

#include <map>

#include "name_form.h"
#include "value_kind.h"

namespace dravelquin {

using nlohmann::json;

namespace {

using NameGroups = std::map<std::string, std::vector<std::string>>;

std::string PointerOf(const std::string& name) {
  return (json::json_pointer("/Dinos") / name).to_string();
}

std::string CapText(const LookupOutcome& cap) {
  return cap.value ? std::to_string(*cap.value) : "none, the gate fails on it";
}

void CheckReplacedBytes(const std::string& name, ConfigReport& report) {
  const std::string key = CensusKeyOf(name);
  if (key == name) {
    return;
  }
  const std::string how = name.find('\0') != std::string::npos
                              ? " (cut at its zero character), and the gate never reads its "
                                "\"Count\""
                              : " (bytes of 0x80 and above become \"?\"), so it never matches "
                                "a creature";
  report.About(Severity::kWarning, PointerOf(name),
               "the census reads this name as " + Quoted(key) + how);
}

void ReportMerged(const std::string& name, const std::string& key,
                  const std::vector<std::string>& group, const SettingsReader& settings,
                  ConfigReport& report) {
  std::string caps;
  for (const std::string& member : group) {
    caps += (caps.empty() ? "" : ", ") + Quoted(member) + ": " +
            CapText(settings.Cap(member));
  }
  report.About(Severity::kWarning, PointerOf(name),
               "is the same census key as " + Quoted(group.front()) +
                   " when letter case is ignored: the census merges them into one entry, "
                   "keyed " + Quoted(key) + "; each creature is capped by the \"Count\" of the "
                   "name equal to its path byte for byte (" + caps + "), and at 1000 when no "
                   "name is");
}

void CheckForm(const std::string& name, const SettingsReader& settings, ConfigReport& report) {
  switch (FormOfName(name)) {
    case NameForm::kOtherLetterCase: {
      const std::string path = WithPathPrefix(name);
      report.About(Severity::kWarning, PointerOf(name),
                   "begins " + Quoted(name.substr(0, kBlueprintPathPrefix.size())) +
                       " where blueprint paths begin \"blueprint'\": the census still counts "
                       "creatures of " + Quoted(path) + " under it, but the gate reads "
                       "\"Count\" under that exact path, so they are capped at " +
                       CapText(settings.Cap(path)) + " and this member's \"Count\" is "
                       "never read");
      return;
    }
    case NameForm::kNotBlueprintPath:
      report.About(Severity::kWarning, PointerOf(name),
                   "is not a blueprint path (\"blueprint'\" + object path + \"'\", the first "
                   "field of a dump line): its census entry matches no creature, so it caps "
                   "nothing");
      return;
    case NameForm::kBlueprintPath:
      return;
  }
}

NameGroups GroupsByEntry(const std::vector<std::string>& names, const CensusEntries& entries) {
  NameGroups groups;
  for (const std::string& name : names) {
    groups[entries.EntryKeyOf(name).value()].push_back(name);
  }
  return groups;
}

}  // namespace

void CheckNames(const std::vector<std::string>& names, const SettingsReader& settings,
                ConfigReport& report) {
  const CensusEntries entries(names);
  const NameGroups groups = GroupsByEntry(names, entries);
  for (const std::string& name : names) {
    const std::string key = entries.EntryKeyOf(name).value();
    const std::vector<std::string>& group = groups.at(key);
    CheckReplacedBytes(name, report);
    if (group.size() > 1) {
      if (name != group.front()) {
        ReportMerged(name, key, group, settings, report);
      }
    } else {
      CheckForm(name, settings, report);
    }
  }
}

}  // namespace dravelquin
