#pragma once

// The line `check` prints after its findings: what the plug-in will run with
// and how many findings there are.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "diagnostic.h"
#include "plugin_reading.h"

namespace dravelquin {

// What the plug-in runs with once it has started on a settings file.
struct SettingsEffect {
  // The blueprint paths whose new creatures the gate can destroy: those a
  // "Dinos" name makes the census count (a name of another letter case
  // counts the path it differs from) and whose cap the gate reads without
  // an error.
  std::size_t capped_blueprints = 0;
  LookupOutcome check_interval;  // as the census schedule reads it
};

SettingsEffect EffectOf(const SettingsReader& settings);

// "FILE: 2 blueprints capped, the timer recounts every 3600 seconds; 0 errors,
// 1 warning, 0 notes"; without an effect (the plug-in does not start),
// "FILE: the plug-in does not start; ...".
std::string SummaryLine(const std::string& file, const std::optional<SettingsEffect>& effect,
                        const std::vector<Diagnostic>& diagnostics);

}  // namespace dravelquin
