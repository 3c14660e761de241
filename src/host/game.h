#pragma once

// Reaching the game's functions and fields by name through the host. Every
// use looks the name up again: no address is cached.

#include <cstdint>
#include <cstring>
#include <string>

#include "host/ark_api.h"
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

// The engine names ("Class.Member") as the std::strings the host's lookup
// takes, made once so that a lookup does not build them anew; in the order of
// the enumerations.
const std::string* GameFunctionNames();
const std::string* GameFieldNames();

inline const std::string& NameOf(GameFunction function) {
  return GameFunctionNames()[static_cast<std::size_t>(function)];
}

inline const std::string& NameOf(GameField field) {
  return GameFieldNames()[static_cast<std::size_t>(field)];
}

// Raise std::runtime_error naming the function or field the game lacks.
[[noreturn]] void RaiseFunctionNotFound(GameFunction function);
[[noreturn]] void RaiseFieldNotFound(GameField field);

// The entry address of the game function. Raises std::runtime_error naming
// it when the game has no such function.
inline void* NativeAddress(GameFunction function) {
  void* address = ArkApi::GetAddress(NameOf(function));
  if (address == nullptr) {
    RaiseFunctionNotFound(function);
  }
  return address;
}

// The address of the field inside the object. Raises std::runtime_error
// naming it when the game has no such field.
inline void* FieldAddress(const void* object, GameField field) {
  const std::uint64_t address = ArkApi::GetAddress(object, NameOf(field));
  if (address == 0) {
    RaiseFieldNotFound(field);
  }
  // The host gives the field's address as an integer.
  // NOLINTNEXTLINE(performance-no-int-to-ptr)
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(address));
}

template <typename Fn>
Fn Native(GameFunction function) {
  return reinterpret_cast<Fn>(NativeAddress(function));
}

template <typename T>
T ReadField(const void* object, GameField field) {
  T value;
  // The field holds a T, so a T's size is what to copy, also when T is a
  // pointer to an object.
  // NOLINTNEXTLINE(bugprone-sizeof-expression)
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
