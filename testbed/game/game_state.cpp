#include "game/game_state.h"

#include <memory>
#include <stdexcept>
#include <string>

namespace dravelquin::testbed::game {

std::unique_ptr<KindRecord> MakeKindRecord(const std::u16string& full_name) {
  auto record = std::make_unique<KindRecord>();
  record->full_name = full_name;
  record->klass.default_object = &record->default_object;
  record->default_object.klass = &record->klass;
  record->default_object.full_name = &record->full_name;
  return record;
}

void RaiseFaultIfInjected(const char* name) {
  const auto& faults = State().throwing_natives;
  const auto found = faults.find(name);
  if (found != faults.end()) {
    throw std::runtime_error(found->second);
  }
}

KindRecord& CreatureClassRecord() {
  static const std::unique_ptr<KindRecord> record =
      MakeKindRecord(u"PrimalDinoCharacter /Script/ShooterGame.Default__PrimalDinoCharacter");
  return *record;
}

void ClearState() {
  GameState& state = State();
  state.kinds.clear();
  state.creatures.clear();
  state.records.clear();
  state.actors.Clear();
  state.players.clear();
  state.destroy_calls.clear();
  state.default_object_requests = DefaultObjectRequests{};
  state.actor_queries = 0;
  state.own_base_level_calls.clear();
  state.own_init_game_calls.clear();
  state.throwing_natives.clear();
}

}  // namespace dravelquin::testbed::game
