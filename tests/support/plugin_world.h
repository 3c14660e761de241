#pragma once

// What the system tests share: the kinds of creature they populate the world
// with, and a fixture that loads the plug-in with a given config.

#include <cstddef>
#include <cstdint>
#include <string>

// The tests of a plug-in world use the stand-in game's world through this header.
#include "game/game_players.h"  // IWYU pragma: export
#include "game/game_world.h"    // IWYU pragma: export
#include "support/testbed_fixture.h"

namespace dravelquin {

// A creature kind whose default object's full name gives the blueprint path
// "blueprint'/Game/Creatures/<name>/<name>_BP.<name>_BP'".
std::u16string FullNameOfKind(const std::u16string& name);
std::string PathOfKind(const std::string& name);

// Config text with "General" {"CheckInterval": interval} and `dinos` as the
// "Dinos" member (JSON text).
std::string ConfigWith(const std::string& dinos, std::int32_t interval = 3600);

class PluginWorldTest : public TestbedTest {
 protected:
  // Writes the config and loads the plug-in, failing the test when it does not load.
  void LoadWithConfig(const std::string& config_text);
  // Places `count` creatures of the kind with the team.
  static void Place(testbed::GameClass* kind, int count, std::int32_t team = 0,
                    const std::u16string& name = u"Creature");
  // Spawns one wild creature of the kind whose own level is 7; true when the
  // gate destroyed it (level 0, gone from the world, game's function not run).
  static bool SpawnIsDestroyed(testbed::GameClass* kind);
  // Allocations (Malloc or Realloc) that `run` makes, counted on a clean run.
  template <typename Run>
  static std::size_t AllocationsOf(Run run) {
    const std::size_t before = AllocationCount();
    run();
    return AllocationCount() - before;
  }

 private:
  static std::size_t AllocationCount();
};

}  // namespace dravelquin
