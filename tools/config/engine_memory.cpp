#include "engine_memory.h"

#include "testbed/game/game_world.h"

namespace dravelquin {

void ServeEngineMemoryInProcess() { testbed::ResetGame(); }

}  // namespace dravelquin
