#pragma once

// The game's creature list and the wildness test that the census and the
// dump share.

#include "engine/engine_array.h"
#include "host/game_types.h"

namespace dravelquin {

// Every creature actor of the world, in the array the game fills (storage
// from the game's allocator, freed with the array). One actor query.
EngineArray<AActor*> AllCreatureActors();

// True for a creature of no player's team: "AActor.TargetingTeam" below 50000,
// negative values included.
bool IsWild(const AActor* actor);

}  // namespace dravelquin
