#pragma once

// Reaching the game's functions and fields by name through the host. Every
// use looks the name up again: nothing is cached.

#include <cstdint>
#include <cstring>

#include "plugin/host/game_types.h"

template <typename T>
struct EngineArray;

// The entry address of the named game function. Raises std::runtime_error
// naming it when the game has no such function.
void* NativeAddress(const char* name);

// The address of the named field inside the object. Raises
// std::runtime_error naming it when the game has no such field.
void* FieldAddress(const void* object, const char* name);

template <typename Fn>
Fn Native(const char* name) {
  return reinterpret_cast<Fn>(NativeAddress(name));
}

template <typename T>
T ReadField(const void* object, const char* name) {
  T value;
  std::memcpy(&value, FieldAddress(object, name), sizeof value);
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
