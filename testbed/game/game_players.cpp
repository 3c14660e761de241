#include "game/game_players.h"

#include <memory>

#include "game/game_state.h"

namespace dravelquin::testbed {

APlayerController* AddPlayer(PlayerKind kind) {
  auto record = std::make_unique<game::PlayerRecord>();
  GameController& controller = record->controller;
  record->character.is_server_admin =
      (kind == PlayerKind::kAdmin || kind == PlayerKind::kNoPlayerState) ? 1 : 0;
  controller.player_state = kind == PlayerKind::kNoPlayerState ? nullptr : &record->player_state;
  controller.character = kind == PlayerKind::kNoCharacter ? nullptr : &record->character;
  game::State().players.push_back(std::move(record));
  return AsOpaque<APlayerController>(&controller);
}

}  // namespace dravelquin::testbed
