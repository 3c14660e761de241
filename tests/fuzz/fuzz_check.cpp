#include "fuzz/fuzz_check.h"

#include <cstdio>
#include <cstdlib>

#include "testbed/game/engine_allocator.h"
#include "testbed/game/game_world.h"
#include "testbed/host/testbed_host.h"

namespace dravelquin {

namespace fuzz {

void Require(bool holds, const std::string& what) {
  if (!holds) {
    std::fprintf(stderr, "\noracle failed: %s\n", what.c_str());
    std::abort();
  }
}

void StartInput() {
  testbed::ResetHost();
  testbed::ResetGame();
  testbed::ResetAllocator();
  testbed::SetWorld(testbed::World());
}

void RequireEngineMemoryReturned() {
  Require(testbed::LiveBlockCount() == 0,
          std::to_string(testbed::LiveBlockCount()) + " engine blocks left live");
  const auto errors = testbed::AllocatorErrors();
  Require(errors.empty(), errors.empty() ? "" : "allocator misuse: " + errors.front());
}

}  // namespace fuzz

}  // namespace dravelquin
