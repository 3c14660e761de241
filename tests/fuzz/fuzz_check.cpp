#include "fuzz/fuzz_check.h"

#include "game/engine_allocator.h"
#include "game/fresh_server.h"

namespace dravelquin {

namespace fuzz {

void StartInput(const std::filesystem::path& server_dir) {
  testbed::StartFreshServer(server_dir, testbed::AllocatorRecord::kEveryCall);
}

void RequireEngineMemoryReturned() {
  Require(testbed::LiveBlockCount() == 0,
          std::to_string(testbed::LiveBlockCount()) + " engine blocks left live");
  const auto errors = testbed::AllocatorErrors();
  Require(errors.empty(), errors.empty() ? "" : "allocator misuse: " + errors.front());
}

}  // namespace fuzz

}  // namespace dravelquin
