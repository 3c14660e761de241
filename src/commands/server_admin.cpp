#include "commands/server_admin.h"

#include <cstdint>

#include "host/game.h"

namespace dravelquin {

bool IsServerAdmin(APlayerController* controller) {
  if (controller == nullptr || ReadField<void*>(controller, GameField::kPlayerState) == nullptr) {
    return false;
  }
  AShooterCharacter* character = Native<GetPlayerCharacterFn>(GameFunction::kGetPlayerCharacter)(
      reinterpret_cast<AShooterPlayerController*>(controller));
  return character != nullptr && ReadField<std::uint8_t>(character, GameField::kIsServerAdmin) != 0;
}

}  // namespace dravelquin
