#include "game/fresh_server.h"

#include "game/engine_allocator.h"
#include "game/game_world.h"
#include "game/garbage_collection.h"
#include "host_stand_in/testbed_host.h"

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
