#pragma once

// Diagnostics on one configured blueprint's settings: the member value and
// its "Count", as the spawn gate reads them.

#include <string>

#include "config_report.h"
#include "plugin_reading.h"

namespace dravelquin {

// Checks the "Dinos" member `name` of settings whose "Dinos" is an object.
void CheckBlueprintSettings(const std::string& name, const SettingsReader& settings,
                            ConfigReport& report);

}  // namespace dravelquin
