#include "host/game.h"

#include <stdexcept>
#include <string>

namespace dravelquin {

const std::string* GameFunctionNames() {
  static const std::string names[] = {
      "FMemory.Malloc",
      "FMemory.Realloc",
      "UClass.GetDefaultObject",
      "UObjectBaseUtility.GetFullName",
      "APrimalDinoCharacter.GetDinoDescriptiveName",
      "APrimalDinoCharacter.GetPrivateStaticClass",
      "UGameplayStatics.GetAllActorsOfClass",
      "AActor.Destroy",
      "AShooterPlayerController.GetPlayerCharacter",
  };
  static_assert(sizeof names / sizeof names[0] ==
                    static_cast<std::size_t>(GameFunction::kGetPlayerCharacter) + 1,
                "one name per game function");
  return names;
}

const std::string* GameFieldNames() {
  static const std::string names[] = {
      "UObjectBase.Class",
      "AActor.TargetingTeam",
      "AController.PlayerState",
      "AShooterCharacter.bIsServerAdmin",
  };
  static_assert(
      sizeof names / sizeof names[0] == static_cast<std::size_t>(GameField::kIsServerAdmin) + 1,
      "one name per game field");
  return names;
}

void RaiseFunctionNotFound(GameFunction function) {
  throw std::runtime_error("game function not found: " + NameOf(function));
}

void RaiseFieldNotFound(GameField field) {
  throw std::runtime_error("game field not found: " + NameOf(field));
}

}  // namespace dravelquin
