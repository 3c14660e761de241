#pragma once

// The administrators' census dump, "debugspawn".

#include "host/game_types.h"

namespace dravelquin {

// For a server administrator: rewrites "<current dir>/ArkApi/Plugins/
// dravelquin/dinoDump.txt" with one line "path|name|count" per distinct pair
// of blueprint path and display name among the wild creatures, in byte order.
// Anyone else, a controller without player state or without a character:
// nothing happens. The command text and flag are ignored.
void OnDumpCommand(APlayerController* controller, FString* text, bool flag);

}  // namespace dravelquin
