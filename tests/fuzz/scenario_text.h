#pragma once

// A checked scenario written back out as a scenario file, every field and
// default spelt out, so that reading the text again must give the scenario
// it was written from.

#include <string>

#include "sim/scenario.h"

namespace dravelquin::fuzz {

// The scenario as the JSON text of a scenario file. Every field of the
// scenario is written, so two scenarios with the same text are the same.
// A run's length is written as the hours its ticks take.
std::string ScenarioText(const sim::Scenario& scenario);

}  // namespace dravelquin::fuzz
