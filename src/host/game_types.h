#pragma once

// The game's object types as the plug-in sees them: opaque. The plug-in never
// reads them directly; it reaches their functions and fields by name.
struct UObject;
struct UClass;
struct UWorld;
struct AActor;
struct APrimalDinoCharacter;
struct APlayerController;
struct AShooterPlayerController;
struct AShooterCharacter;
struct AShooterGameMode;

namespace dravelquin {
struct FString;
}
