#include "engine_memory.h"

#include "testbed/game/game_world.h"

void ServeEngineMemoryInProcess() { testbed::ResetGame(); }
