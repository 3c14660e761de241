#include "tools/sim/census_watch.h"

#include "host/ark_api.h"
#include "engine/engine_array.h"
#include "host/game.h"
#include "testbed/host/testbed_host.h"

namespace dravelquin::sim {

namespace {

constexpr const char* kActorQueryName = "UGameplayStatics.GetAllActorsOfClass";

GetAllActorsOfClassFn game_query = nullptr;
std::uint64_t query_count = 0;
std::uint64_t listed_count = 0;

void CountingQuery(UWorld* world, UClass* klass, EngineArray<AActor*>* out) {
  ++query_count;
  game_query(world, klass, out);
  listed_count += static_cast<std::uint64_t>(out->count);
}

}  // namespace

void WatchActorQueries() {
  query_count = 0;
  listed_count = 0;
  game_query = reinterpret_cast<GetAllActorsOfClassFn>(ArkApi::GetAddress(kActorQueryName));
  testbed::RegisterNative(kActorQueryName, reinterpret_cast<void*>(&CountingQuery));
}

std::uint64_t ActorQueries() { return query_count; }

std::uint64_t ActorsListed() { return listed_count; }

}  // namespace dravelquin::sim
