#pragma once

// The spawn gate: the detour on the game's choice of a creature's base level.

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

#include "host/game_types.h"

namespace dravelquin {

// Where the host stores the way to the game's own base-level function.
extern void* BaseLevelSlot;

// Destroys the creature and answers 0 when its blueprint is configured and
// the last census counted at least its cap ("Count", 1000 when absent) under
// its exact path; otherwise answers with the game's own function. Any
// std::exception on the way lets the creature through.
std::int32_t OnGetRandomBaseLevel(APrimalDinoCharacter* creature);

// The cap for creatures whose blueprint path in narrow form is `narrow_path`:
// "Count" of the "Dinos" member named exactly so, byte for byte, read as a
// signed 32-bit integer; 1000 when that member or its "Count" is absent.
// Raises type_error 305 when `settings` is neither null nor an object, 306
// when "Dinos" or that member is not an object, and 302 when "Count" is
// neither a number nor a boolean.
std::int32_t CapOfPath(nlohmann::json& settings, const std::string& narrow_path);

}  // namespace dravelquin
