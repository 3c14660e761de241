#include "game/garbage_collection.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "game/game_state.h"

namespace dravelquin::testbed {

namespace {

template <typename T>
void Forget(std::vector<T>& records) {
  std::vector<T>().swap(records);
}

}  // namespace

void CollectGarbage() {
  game::GameState& state = game::State();
  const auto departed = [&state](const std::unique_ptr<game::CreatureRecord>& record) {
    return !state.actors.Contains(&record->memory);
  };
  auto& creatures = state.creatures;
  for (const auto& record : creatures) {
    if (departed(record)) {
      state.records.erase(&record->memory);
    }
  }
  creatures.erase(std::remove_if(creatures.begin(), creatures.end(), departed), creatures.end());
  Forget(state.destroy_calls);
  Forget(state.own_base_level_calls);
  Forget(state.own_init_game_calls);
}

}  // namespace dravelquin::testbed
