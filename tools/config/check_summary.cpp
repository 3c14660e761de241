#include "check_summary.h"

#include <algorithm>
#include <set>

#include "name_form.h"

namespace dravelquin {

namespace {

// The creatures' path a "Dinos" name makes the census count, or "" when it
// matches none.
std::string PathCountedUnder(const std::string& name) {
  if (CensusKeyOf(name) != name) {
    return "";
  }
  switch (FormOfName(name)) {
    case NameForm::kBlueprintPath:
      return name;
    case NameForm::kOtherLetterCase:
      return WithPathPrefix(name);
    case NameForm::kNotBlueprintPath:
      break;
  }
  return "";
}

// "1 error", "2 warnings".
std::string Counted(std::size_t count, const std::string& singular) {
  return std::to_string(count) + " " + singular + (count == 1 ? "" : "s");
}

std::string FindingCounts(const std::vector<Diagnostic>& diagnostics) {
  const auto count = [&diagnostics](Severity severity) {
    return static_cast<std::size_t>(
        std::count_if(diagnostics.begin(), diagnostics.end(),
                      [severity](const Diagnostic& found) { return found.severity == severity; }));
  };
  return Counted(count(Severity::kError), "error") + ", " +
         Counted(count(Severity::kWarning), "warning") + ", " +
         Counted(count(Severity::kNote), "note");
}

std::string TimerText(const LookupOutcome& interval) {
  if (!interval.value) {
    return "the timer never recounts";
  }
  if (*interval.value <= 0) {
    return "the timer recounts at every call";
  }
  return "the timer recounts every " + Counted(static_cast<std::size_t>(*interval.value), "second");
}

}  // namespace

SettingsEffect EffectOf(const SettingsReader& settings) {
  std::set<std::string> capped;
  for (const std::string& name : settings.ConfiguredNames().names) {
    const std::string path = PathCountedUnder(name);
    if (!path.empty() && settings.Cap(path).value) {
      capped.insert(path);
    }
  }
  return SettingsEffect{capped.size(), settings.CheckInterval()};
}

std::string SummaryLine(const std::string& file, const std::optional<SettingsEffect>& effect,
                        const std::vector<Diagnostic>& diagnostics) {
  const std::string effect_text =
      effect ? Counted(effect->capped_blueprints, "blueprint") + " capped, " +
                   TimerText(effect->check_interval)
             : "the plug-in does not start";
  return file + ": " + effect_text + "; " + FindingCounts(diagnostics);
}

}  // namespace dravelquin
