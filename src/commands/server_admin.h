#pragma once

// Who may run the administrators' console commands.

#include "host/game_types.h"

namespace dravelquin {

// True for a controller with player state whose character is a server
// administrator ("AShooterCharacter.bIsServerAdmin" non-zero); false for a
// null controller, one without player state or without a character. Raises
// std::runtime_error naming a game function or field that does not resolve.
bool IsServerAdmin(APlayerController* controller);

}  // namespace dravelquin
