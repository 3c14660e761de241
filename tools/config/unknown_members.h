#pragma once

// Members that the plug-in never reads: a misspelt name is silently ignored,
// and the setting it was meant for takes its default.

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "config_report.h"

namespace dravelquin {

// Warns of each member of `object` (under `pointer`) whose name is not one
// of `known`, suggesting the known name it is near to ("dinos" -> "Dinos").
// Anything but an object has no members to warn of.
void CheckUnknownMembers(const nlohmann::json& object, const nlohmann::json::json_pointer& pointer,
                         const std::vector<std::string>& known, ConfigReport& report);

}  // namespace dravelquin
