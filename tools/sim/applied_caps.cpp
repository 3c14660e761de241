#include "tools/sim/applied_caps.h"

#include <exception>
#include <optional>
#include <utility>

#include "engine/fstring.h"
#include "engine/naming.h"
#include "plugin_reading.h"
#include "population/settings.h"
#include "population/settings_file.h"
#include "tools/sim/sim_world.h"

namespace dravelquin::sim {

namespace {

// The settings as the plug-in's start-up reads them, or nothing where that
// reading fails and the plug-in does not start. The reading is the plug-in's
// own, on the simulator's copy of its code, whose document the reader takes.
std::optional<SettingsReader> SettingsAtStartUp() {
  try {
    ReadSettings();
  } catch (const std::exception&) {
    return std::nullopt;
  }
  return SettingsReader(std::move(Settings()));
}

KindCap CapOf(const SettingsReader& settings, const CensusEntries& entries,
              const FString& path) {
  if (!entries.Counts(path)) {
    return KindCap{};
  }
  const LookupOutcome cap = settings.Cap(ToNarrow(path));
  return cap.value ? KindCap{true, *cap.value, std::nullopt} : KindCap{false, 0, cap.error};
}

}  // namespace

std::vector<KindCap> AppliedCaps(const SimWorld& world) {
  std::vector<KindCap> caps(world.KindCount());
  const std::optional<SettingsReader> settings = SettingsAtStartUp();
  if (!settings) {
    return caps;
  }
  const CensusEntries entries(settings->ConfiguredNames().names);
  for (std::size_t kind = 0; kind < caps.size(); ++kind) {
    caps[kind] = CapOf(*settings, entries, BlueprintPathOf(world.DefaultObjectOf(kind)));
  }
  return caps;
}

}  // namespace dravelquin::sim
