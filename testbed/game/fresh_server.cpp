#include "testbed/game/fresh_server.h"

#include "testbed/game/engine_allocator.h"
#include "testbed/game/game_world.h"
#include "testbed/game/garbage_collection.h"
#include "testbed/host/testbed_host.h"

namespace dravelquin::testbed {

void StartFreshServer(const std::filesystem::path& server_dir, AllocatorRecord record) {
  ResetHost();
  ResetGame();
  ResetAllocator();
  RecordAllocatorCalls(record == AllocatorRecord::kEveryCall);
  SetWorld(World());
  SetCurrentDir(server_dir.string());
}

void BoundForLongRuns() {
  SetAllocatorMode(AllocatorMode::kLean);
  KeepLatestGameCalls(kLongRunCallsKept);
  CollectGarbageEvery(kLongRunDepartedKept);
}

}  // namespace dravelquin::testbed
