#pragma once

// Diagnostics on "Dinos": whether the census can read it, and each
// configured blueprint's name and settings.

#include "config_report.h"
#include "plugin_reading.h"

namespace dravelquin {

// Checks "Dinos" of settings whose top level is an object or null.
void CheckDinos(const SettingsReader& settings, ConfigReport& report);

}  // namespace dravelquin
