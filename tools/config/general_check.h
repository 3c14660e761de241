#pragma once

// Diagnostics on "General" and its "CheckInterval": when the timer recounts
// the world, or why it never does.

#include "config_report.h"
#include "plugin_reading.h"

namespace dravelquin {

// Checks "General" of settings whose top level is an object or null.
void CheckGeneral(const SettingsReader& settings, ConfigReport& report);

}  // namespace dravelquin
