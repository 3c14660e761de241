#include "population/creatures.h"

#include <cstdint>

#include "host/ark_api.h"
#include "host/game.h"

namespace dravelquin {

namespace {

constexpr std::int32_t kFirstPlayerTeam = 50000;

}  // namespace

EngineArray<AActor*> AllCreatureActors() {
  UClass* creature_class = Native<GetPrivateStaticClassFn>(GameFunction::kGetPrivateStaticClass)();
  UWorld* world = ArkApi::GetApiUtils().GetWorld();
  EngineArray<AActor*> actors;
  Native<GetAllActorsOfClassFn>(GameFunction::kGetAllActorsOfClass)(world, creature_class, &actors);
  return actors;
}

bool IsWild(const AActor* actor) {
  return ReadField<std::int32_t>(actor, GameField::kTargetingTeam) < kFirstPlayerTeam;
}

}  // namespace dravelquin
