#pragma once

// The call shapes of the game's natives and of the game functions that
// plug-ins hook, as the game defines them. The stand-in game declares and
// registers its functions with these; pointers are 64-bit and boolean
// arguments one byte.

#include <cstddef>
#include <cstdint>

#include "host/game_types.h"
#include "host_stand_in/engine_layout.h"

namespace dravelquin::testbed::game {

// "FMemory.Malloc": (byte count, alignment) -> block.
using MallocShape = void* (*)(std::size_t bytes, std::uint32_t alignment);
// "FMemory.Realloc": (block, new byte count) -> block.
using ReallocShape = void* (*)(void* block, std::size_t bytes);
// "FMemory.Free": (block).
using FreeShape = void (*)(void* block);
// "UClass.GetDefaultObject": (class, create if needed) -> default object.
using GetDefaultObjectShape = UObject* (*)(UClass* klass, bool create_if_needed);
// "UObjectBaseUtility.GetFullName": (object, out string, stop outer).
using GetFullNameShape = void (*)(const UObject* object, FString* out, const UObject* stop_outer);
// "APrimalDinoCharacter.GetDinoDescriptiveName": (creature, out string).
using GetDinoDescriptiveNameShape = void (*)(APrimalDinoCharacter* creature, FString* out);
// "APrimalDinoCharacter.GetPrivateStaticClass": () -> the creature class.
using GetPrivateStaticClassShape = UClass* (*)();
// "UGameplayStatics.GetAllActorsOfClass": (world, class, out array of actors).
using GetAllActorsOfClassShape = void (*)(UWorld* world, UClass* klass,
                                          EngineArrayLayout<AActor*>* out);
// "AActor.Destroy": (actor, net force, modify level) -> destroyed.
using DestroyShape = bool (*)(AActor* actor, bool net_force, bool should_modify_level);
// "AShooterPlayerController.GetPlayerCharacter": (controller) -> character.
using GetPlayerCharacterShape = AShooterCharacter* (*)(AShooterPlayerController* controller);

// Hooked: "AShooterGameMode.InitGame": (game mode, map name, options, error
// message), no result.
using InitGameShape = void (*)(AShooterGameMode* mode, FString* map_name, FString* options,
                               FString* error_message);
// Hooked: "APrimalDinoCharacter.GetRandomBaseLevel": (creature) -> level.
using GetRandomBaseLevelShape = std::int32_t (*)(APrimalDinoCharacter* creature);

}  // namespace dravelquin::testbed::game
