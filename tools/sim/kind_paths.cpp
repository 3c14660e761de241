#include "tools/sim/kind_paths.h"

#include "engine/fstring.h"
#include "engine/naming.h"
#include "tools/sim/scenario_fields.h"

namespace dravelquin::sim {

std::vector<std::string> KindsWithoutPath(const std::vector<ScenarioKind>& kinds,
                                          const SimWorld& world) {
  std::vector<std::string> warnings;
  for (std::size_t kind = 0; kind < kinds.size(); ++kind) {
    FString path = BlueprintPathOf(world.DefaultObjectOf(kind));
    if (Length(path) == 0) {
      warnings.push_back("warning: kind " + Json(kinds[kind].id).dump() +
                         ": the plug-in makes no blueprint path of the full name " +
                         Json(kinds[kind].full_name).dump() +
                         ", so no config member caps it; give its \"blueprint_path\" as the "
                         "dump shows it");
    }
    Release(path);
  }
  return warnings;
}

}  // namespace dravelquin::sim
