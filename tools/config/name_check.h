#pragma once

// Diagnostics on the member names of "Dinos": how the census makes them into
// keys and whether the gate then finds their "Count".

#include <string>
#include <vector>

#include "config_report.h"
#include "plugin_reading.h"

namespace dravelquin {

// Checks the names (those the census reads, in its order) of the settings.
void CheckNames(const std::vector<std::string>& names, const SettingsReader& settings,
                ConfigReport& report);

}  // namespace dravelquin
