#include "population/spawn_gate.h"

#include <exception>
#include <string>

#include "engine/naming.h"
#include "host/game.h"
#include "population/census_table.h"
#include "population/settings.h"
#include "population/settings_file.h"

namespace dravelquin {

void* BaseLevelSlot = nullptr;

namespace {

// Destroys the creature when its blueprint's census count has reached its
// cap. An error on the way leaves the creature alone.
bool DestroyedByCap(APrimalDinoCharacter* creature) {
  try {
    const FString path = BlueprintPathOf(creature);
    CapTableMap& table = CapTable();
    const auto entry = table.find(path);
    if (entry == table.end()) {
      return false;
    }
    // Reused from call to call: a spawn then narrows its path without a
    // heap block of its own. Both uses below end before the game is called.
    static std::string narrow_path;
    NarrowInto(path, narrow_path);
    const std::int32_t count = entry->second[narrow_path];
    if (count < CapOfPath(Settings(), narrow_path)) {
      return false;
    }
    Native<DestroyFn>(GameFunction::kDestroy)(reinterpret_cast<AActor*>(creature), true, true);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

std::int32_t OnGetRandomBaseLevel(APrimalDinoCharacter* creature) {
  if (DestroyedByCap(creature)) {
    return 0;
  }
  return reinterpret_cast<GetRandomBaseLevelFn>(BaseLevelSlot)(creature);
}

}  // namespace dravelquin
