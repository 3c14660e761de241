#pragma once

// The cap the plug-in will hold each kind at, worked out from the config
// text for display in the summary and the chart only: the plug-in itself
// decides what happens.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/sim/scenario.h"

namespace dravelquin::sim {

struct KindCap {
  bool capped = false;   // some "Dinos" member matches the kind's path
  std::int64_t cap = 0;  // its "Count", 1000 when absent
};

// The blueprint path the plug-in builds from a default object's full name:
// "blueprint'" + what follows the first space, less a final "_C", + "'",
// with every "Default__" taken out. Empty when the name has no space.
std::u16string BlueprintPathOfFullName(const std::u16string& full_name);

// One entry per kind. The text is read as the plug-in reads it (a leading
// byte-order mark skipped, text after the first value ignored). A kind is
// capped when a member name of "Dinos" (bytes above 0x7F read as "?")
// equals its path, letter case of A-Z ignored. The cap is the "Count" of the
// member named exactly as the path in the server's narrow form (U+0000 to
// U+00FF one byte each, "?" beyond): numbers truncated to 32 bits, true 1,
// false 0; 1000 when there is no such member or it has no "Count". Where the
// plug-in would let every creature through (no or unreadable config, a
// member or "Count" of the wrong type) the kind is not capped.
std::vector<KindCap> KindCaps(const std::optional<std::string>& config_text,
                              const std::vector<ScenarioKind>& kinds);

}  // namespace dravelquin::sim
