#pragma once

// Naming a scenario kind: by the full name of its default object, as the
// game reports it, or by its blueprint path, as the dump and the config
// name it.

#include <optional>
#include <string>

#include "tools/sim/scenario_fields.h"

namespace dravelquin::sim {

// The full name of the default object whose blueprint path the plug-in makes
// into `path`, or nothing when `path` is not of the form
// blueprint'PACKAGE.ASSET'.
// Example: "blueprint'/Game/Dodo/Dodo_BP.Dodo_BP'" ->
//          "Dodo_BP_C /Game/Dodo/Dodo_BP.Default__Dodo_BP_C".
std::optional<std::string> FullNameOfBlueprintPath(const std::string& path);

// The full name of a kind given by exactly one of "full_name" and
// "blueprint_path". A blueprint path given as "full_name" is refused with a
// pointer to "blueprint_path", since the plug-in would make no path of it.
std::string KindFullName(FieldReader& kind);

}  // namespace dravelquin::sim
