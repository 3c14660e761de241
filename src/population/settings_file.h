#pragma once

// The plug-in's running settings document and the file it is read from.

#include <nlohmann/json.hpp>

namespace dravelquin {

// The parsed settings; null until ReadSettings succeeds. Held in a
// function-local static so that it exists before the load-time entry runs.
nlohmann::json& Settings();

// Reads "<current dir>/ArkApi/Plugins/dravelquin/config.json" into Settings.
// Raises std::runtime_error "Can't open config.json" when the file cannot be
// opened, and the library's parse_error or out_of_range for text that is not
// one JSON value.
void ReadSettings();

}  // namespace dravelquin
