#pragma once

// The spawn gate: the detour on the game's choice of a creature's base level.

#include <cstdint>

#include "host/game_types.h"

namespace dravelquin {

// Where the host stores the way to the game's own base-level function.
extern void* BaseLevelSlot;

// Destroys the creature and answers 0 when its blueprint is configured and
// the last census counted at least its cap ("Count", 1000 when absent) under
// its exact path; otherwise answers with the game's own function. Any
// std::exception on the way lets the creature through.
std::int32_t OnGetRandomBaseLevel(APrimalDinoCharacter* creature);

}  // namespace dravelquin
