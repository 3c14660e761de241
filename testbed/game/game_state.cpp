#include "game/game_state.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace dravelquin::testbed::game {

const std::u16string* KeptName(const std::u16string& name) {
  return &*State().names.insert(name).first;
}

bool InTheWorld(const void* creature) {
  const CreatureRecord* record = State().creatures.Find(creature);
  return record != nullptr && record->in_world;
}

bool TakeOutOfWorld(const void* creature) {
  GameState& state = State();
  CreatureRecord* record = state.creatures.Find(creature);
  if (record == nullptr || !record->in_world) {
    return false;
  }
  state.actors.Remove(record);
  state.departed.push_back(record);
  return true;
}

void CollectDeparted() {
  GameState& state = State();
  for (CreatureRecord* record : state.departed) {
    state.creatures.GiveBack(record);
  }
  state.departed.clear();
}

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
  state.creatures.Clear();
  std::vector<CreatureRecord*>().swap(state.departed);
  state.collect_at = 0;
  state.names.clear();
  state.actors.Clear();
  state.players.clear();
  state.destroy_calls.Clear();
  state.default_object_requests = DefaultObjectRequests{};
  state.actor_queries = 0;
  state.own_base_level_calls.Clear();
  state.own_init_game_calls.Clear();
  state.throwing_natives.clear();
}

}  // namespace dravelquin::testbed::game
