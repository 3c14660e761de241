#pragma once

// The world the benchmarks run in: 50 kinds of creature with the paths of a
// real server's blueprints, creatures spread evenly over them with one in ten
// tamed, and a config that caps the first 20 kinds.

#include <cstdint>
#include <string>
#include <vector>

#include "game/game_objects.h"

namespace dravelquin {

constexpr int kKindCount = 50;
constexpr int kConfiguredKindCount = 20;  // kinds 0 to 19
constexpr std::int32_t kTamedTeam = 50001;

// The full name of kind k's default object, e.g. for kind 7
// "Kind07_Character_BP_C /Game/PrimalEarth/Dinos/Kind07/Kind07_Character_BP.Default__Kind07_Character_BP_C",
// whose blueprint path is
// "blueprint'/Game/PrimalEarth/Dinos/Kind07/Kind07_Character_BP.Kind07_Character_BP'".
std::u16string KindFullName(int kind);
std::string KindPath(int kind);

enum class Taming { kOneInTen, kNone };

// Adds the 50 kinds, then `creatures` creatures placed in turn, kind 0, 1,
// ..., 49, 0, ...; with kOneInTen every tenth round is tamed, so each kind has
// one tamed creature in ten. Descriptive names carry the game's level suffix
// and, in turn, each of the words the display name drops. Returns the kinds.
std::vector<testbed::GameClass*> PopulateWorld(int creatures, Taming taming);

// A config with "CheckInterval" 3600 and one "Dinos" member per configured
// kind: caps[k] is kind k's "Count". Kinds past the end of `caps` get 1000.
std::string ConfigText(const std::vector<std::int32_t>& caps);

}  // namespace dravelquin
