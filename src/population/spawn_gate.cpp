#include "population/spawn_gate.h"

#include <exception>
#include <string>

#include "engine/naming.h"
#include "host/game.h"
#include "population/census.h"
#include "population/census_table.h"
#include "population/settings.h"
#include "population/settings_file.h"

namespace dravelquin {

void* BaseLevelSlot = nullptr;

namespace {

// Destroys the creature when its blueprint's count has reached its cap: the
// census's count, plus with ExactCaps the creatures let through since. An
// error on the way leaves the creature alone. Every creature judged is
// tallied under its exact path, as let through or destroyed; the destroyed
// total is raised before the game destroys the creature, in a slot made
// beforehand, so that nothing can fail once it is gone.
bool DestroyedByCap(APrimalDinoCharacter* creature) {
  PathTally* tally = nullptr;
  try {
    const FString path = BlueprintPathOf(creature);
    CapTableMap& table = CapTable();
    const auto entry = table.find(path);
    if (entry == table.end()) {
      return false;
    }
    // Reused from call to call: a spawn then narrows its path without a
    // heap block of its own. Its uses below end before the game is called.
    static std::string narrow_path;
    NarrowInto(path, narrow_path);
    tally = &entry->second[narrow_path];
    if (tally->destroyed == nullptr) {
      tally->destroyed = &DestroyedByPath()[narrow_path];
    }
    const std::int64_t count = tally->counted + (ExactCapsInForce ? tally->admitted : 0);
    if (count < CapOfPath(Settings(), narrow_path)) {
      ++tally->admitted;
      return false;
    }
    ++*tally->destroyed;
    try {
      Native<DestroyFn>(GameFunction::kDestroy)(reinterpret_cast<AActor*>(creature), true, true);
    } catch (...) {
      --*tally->destroyed;
      throw;
    }
    return true;
  } catch (const std::exception&) {
    // The creature stays: it counts as let through once its path has a tally.
    if (tally != nullptr) {
      ++tally->admitted;
    }
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
