#pragma once

// Reaching the game's functions and fields by name through the host. Every
// use looks the name up again: no address is cached.

#include <cstdint>
#include <cstring>
#include <string>

#include "host/game_types.h"

namespace dravelquin {

template <typename T>
struct EngineArray;

// The game functions the plug-in calls, other than "FMemory.Free" (which
// releasing reaches without raising).
enum class GameFunction {
  kMalloc,                  // "FMemory.Malloc"
  kRealloc,                 // "FMemory.Realloc"
  kGetDefaultObject,        // "UClass.GetDefaultObject"
  kGetFullName,             // "UObjectBaseUtility.GetFullName"
  kGetDinoDescriptiveName,  // "APrimalDinoCharacter.GetDinoDescriptiveName"
  kGetPrivateStaticClass,   // "APrimalDinoCharacter.GetPrivateStaticClass"
  kGetAllActorsOfClass,     // "UGameplayStatics.GetAllActorsOfClass"
  kDestroy,                 // "AActor.Destroy"
  kGetPlayerCharacter,      // "AShooterPlayerController.GetPlayerCharacter"
};

// The game object fields the plug-in reads.
enum class GameField {
  kClass,          // "UObjectBase.Class"
  kTargetingTeam,  // "AActor.TargetingTeam"
  kPlayerState,    // "AController.PlayerState"
  kIsServerAdmin,  // "AShooterCharacter.bIsServerAdmin"
};

// The engine name ("Class.Member") as the std::string the host's lookup
// takes, made once so that a lookup does not build it anew.
const std::string& NameOf(GameFunction function);
const std::string& NameOf(GameField field);

// The entry address of the game function. Raises std::runtime_error naming
// it when the game has no such function.
void* NativeAddress(GameFunction function);

// The address of the field inside the object. Raises std::runtime_error
// naming it when the game has no such field.
void* FieldAddress(const void* object, GameField field);

template <typename Fn>
Fn Native(GameFunction function) {
  return reinterpret_cast<Fn>(NativeAddress(function));
}

template <typename T>
T ReadField(const void* object, GameField field) {
  T value;
  std::memcpy(&value, FieldAddress(object, field), sizeof value);
  return value;
}

// Call shapes of the game functions the plug-in calls or hooks.
using MallocFn = void* (*)(std::size_t bytes, std::uint32_t alignment);
using ReallocFn = void* (*)(void* block, std::size_t bytes);
using FreeFn = void (*)(void* block);
using GetDefaultObjectFn = UObject* (*)(UClass* klass, bool create_if_needed);
using GetFullNameFn = void (*)(const UObject* object, FString* out, const UObject* stop_outer);
using GetDinoDescriptiveNameFn = void (*)(APrimalDinoCharacter* creature, FString* out);
using GetPrivateStaticClassFn = UClass* (*)();
using GetAllActorsOfClassFn = void (*)(UWorld* world, UClass* klass, EngineArray<AActor*>* out);
using DestroyFn = bool (*)(AActor* actor, bool net_force, bool should_modify_level);
using GetPlayerCharacterFn = AShooterCharacter* (*)(AShooterPlayerController* controller);
using InitGameFn = void (*)(AShooterGameMode* mode, FString* map_name, FString* options,
                            FString* error_message);
using GetRandomBaseLevelFn = std::int32_t (*)(APrimalDinoCharacter* creature);

}  // namespace dravelquin
