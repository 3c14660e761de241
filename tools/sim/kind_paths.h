#pragma once

// Telling an administrator when a kind's full name gives no blueprint path,
// so that no config member can ever match its creatures.

#include <string>
#include <vector>

#include "tools/sim/scenario.h"
#include "tools/sim/sim_world.h"

namespace dravelquin::sim {

// One warning line per kind of which the plug-in's own code makes an empty
// blueprint path, in the order of `kinds`.
std::vector<std::string> KindsWithoutPath(const std::vector<ScenarioKind>& kinds,
                                          const SimWorld& world);

}  // namespace dravelquin::sim
