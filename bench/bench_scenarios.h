#pragma once

// The scenarios the benchmarks time and the callgrind driver counts, each
// set up in a fresh BenchServer with the plug-in loaded or not: the spawn
// gate, the census and the dump.

#include "bench_server.h"
#include "game/game_objects.h"
#include "host/game_types.h"

namespace dravelquin {

enum class Plugin { kLoaded, kNotLoaded };

// The three ways a spawn meets the gate.
enum class GateCase {
  kUnconfigured,  // a kind no "Dinos" member names
  kUnderCap,      // a configured kind whose census count is below its cap
  kAtCap,         // a configured kind whose census count has reached its cap
};

constexpr int kGateWorldCreatures = 10'000;

struct GateScenario {
  testbed::GameClass* kind = nullptr;  // the kind each spawn is of
  bool destroys = false;               // whether the gate destroys each spawn
};

// A world of kGateWorldCreatures creatures over the 50 kinds, 20 of them
// configured, and, with the plug-in loaded, the census that the game mode's
// initialisation takes. The kind at its cap is capped at exactly the number of
// its wild creatures; the others at 1000.
GateScenario SetUpGate(const BenchServer& server, GateCase gate_case, Plugin plugin);

// Spawns one wild creature of the scenario's kind through the hooked
// GetRandomBaseLevel, then takes it out of the world again, so that the
// world stays as it was. False when the gate did not do what the scenario
// expects of it.
bool SpawnThroughGate(const GateScenario& scenario);

// A world of `creatures` creatures over the 50 kinds, one in ten tamed, 20
// kinds configured. The census runs on each testbed::InitGameMode().
void SetUpCensus(const BenchServer& server, int creatures, Plugin plugin);

// A world of `creatures` wild creatures over the 50 kinds. Returns the
// controller of an administrator, who runs the dump with
// testbed::RunConsoleCommand(admin, u"debugspawn").
APlayerController* SetUpDump(const BenchServer& server, int creatures, Plugin plugin);

}  // namespace dravelquin
