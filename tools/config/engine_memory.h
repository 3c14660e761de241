#pragma once

namespace dravelquin {

// The engine allocator for the plug-in's engine strings when its code runs
// inside this tool rather than inside the game server.

// Registers the stand-in game's in-process allocator with the stand-in host
// as "FMemory.Malloc", "FMemory.Realloc" and "FMemory.Free", where the
// plug-in's code looks them up. Call once, before any engine string is made.
void ServeEngineMemoryInProcess();

}  // namespace dravelquin
