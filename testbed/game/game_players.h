#pragma once

// Player controllers that type console commands.

#include "host/game_types.h"

namespace dravelquin::testbed {

enum class PlayerKind {
  kAdmin,          // player state and a character that is a server administrator
  kPlayer,         // player state and a character that is not
  kNoCharacter,    // player state, no character
  kNoPlayerState,  // an administrator's character, but no player state
};

// A new controller of the kind, owned by the game until ResetGame.
APlayerController* AddPlayer(PlayerKind kind);

}  // namespace dravelquin::testbed
