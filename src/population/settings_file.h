#pragma once

// The plug-in's running settings document and the file it is read from.

#include <nlohmann/json.hpp>

namespace dravelquin {

// The running settings; null until ReadSettings succeeds. Held in a
// function-local static so that it exists before the load-time entry runs.
nlohmann::json& Settings();

// A new document parsed from "<current dir>/ArkApi/Plugins/dravelquin/
// config.json" by the rules of ParseSettingsText. Raises std::runtime_error
// "Can't open config.json" when the file cannot be opened, and the library's
// parse_error or out_of_range for text that is not one JSON value. Touches
// no running state.
nlohmann::json ReadSettingsFile();

// Makes the file's document the running settings: Settings is null from the
// moment the file is open, and stays null when its text fails to parse.
// Raises as ReadSettingsFile does.
void ReadSettings();

}  // namespace dravelquin
