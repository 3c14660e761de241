#include "game/garbage_collection.h"

#include "game/game_state.h"

namespace dravelquin::testbed {

void CollectGarbage() {
  game::GameState& state = game::State();
  game::CollectDeparted();
  state.destroy_calls.Forget();
  state.own_base_level_calls.Forget();
  state.own_init_game_calls.Forget();
}

void CollectGarbageEvery(std::size_t departed) { game::State().collect_at = departed; }

std::size_t CreaturesHeld() { return game::State().creatures.Held(); }

}  // namespace dravelquin::testbed
