#pragma once

// Turning the text of a scenario file into a checked Scenario.

#include <string>

#include "tools/sim/scenario.h"
#include "tools/sim/scenario_fields.h"

namespace dravelquin::sim {

// Parses and checks the whole scenario before anything runs: invalid JSON,
// an unknown verb, kind, player or field, a value of the wrong type or out
// of range, and a clock moved out of its range all raise ScenarioError
// naming the step index (0-based) and the field.
Scenario ParseScenario(const std::string& text);

}  // namespace dravelquin::sim
