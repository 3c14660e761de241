#include "host/game.h"

#include <stdexcept>
#include <string>

#include "host/ark_api.h"

namespace dravelquin {

const std::string& NameOf(GameFunction function) {
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
  return names[static_cast<std::size_t>(function)];
}

const std::string& NameOf(GameField field) {
  static const std::string names[] = {
      "UObjectBase.Class",
      "AActor.TargetingTeam",
      "AController.PlayerState",
      "AShooterCharacter.bIsServerAdmin",
  };
  static_assert(sizeof names / sizeof names[0] ==
                    static_cast<std::size_t>(GameField::kIsServerAdmin) + 1,
                "one name per game field");
  return names[static_cast<std::size_t>(field)];
}

void* NativeAddress(GameFunction function) {
  void* address = ArkApi::GetAddress(NameOf(function));
  if (address == nullptr) {
    throw std::runtime_error("game function not found: " + NameOf(function));
  }
  return address;
}

void* FieldAddress(const void* object, GameField field) {
  const std::uint64_t address = ArkApi::GetAddress(object, NameOf(field));
  if (address == 0) {
    throw std::runtime_error("game field not found: " + NameOf(field));
  }
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(address));
}

}  // namespace dravelquin
