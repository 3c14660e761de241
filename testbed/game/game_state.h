#pragma once

// The game's state, shared by its natives, its world and its players.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "game/actor_list.h"
#include "game/game_objects.h"
#include "game/game_world.h"

namespace dravelquin::testbed::game {

// A class with its default object, whose full name is the kind's text.
struct KindRecord {
  GameClass klass;
  GameObject default_object;
  std::u16string full_name;
};

struct CreatureRecord {
  GameCreature memory;
  std::u16string descriptive_name;
};

struct PlayerRecord {
  GameController controller;
  GamePlayerState player_state;
  GameCharacter character;
};

struct GameState {
  GameWorld world;
  GameMode mode;
  std::vector<std::unique_ptr<KindRecord>> kinds;
  // Every creature made since the reset; destroyed ones stay in memory, as
  // the engine keeps destroyed actors until it collects them.
  std::vector<std::unique_ptr<CreatureRecord>> creatures;
  // The record of each creature above, found without walking them.
  std::unordered_map<const GameCreature*, CreatureRecord*> records;
  ActorList actors;  // the world's list, in order; may hold null
  std::vector<std::unique_ptr<PlayerRecord>> players;
  std::vector<DestroyCall> destroy_calls;
  DefaultObjectRequests default_object_requests;
  std::uint64_t actor_queries = 0;
  std::vector<const GameCreature*> own_base_level_calls;
  std::vector<InitGameCall> own_init_game_calls;
  std::unordered_map<std::string, std::string> throwing_natives;
};

// Inline, with the fault check below: every native call reads it.
inline GameState& State() {
  static GameState state;
  return state;
}

// Raises the fault injected into the named native or game function.
void RaiseFaultIfInjected(const char* name);

// Raises the fault injected into the named native or game function, if any.
// Checked inline so that a game without faults pays one test per call, as a
// server, which has no such hook, pays nothing.
inline void RaiseInjectedFault(const char* name) {
  if (!State().throwing_natives.empty()) {
    RaiseFaultIfInjected(name);
  }
}

// Wires a kind record's class and default object to each other.
std::unique_ptr<KindRecord> MakeKindRecord(const std::u16string& full_name);

// The record behind the creature class, which lives as long as the process.
KindRecord& CreatureClassRecord();

// Forgets everything the world, the players and the records hold.
void ClearState();

// Registers the natives and fields with the host.
void RegisterNativesAndFields();

}  // namespace dravelquin::testbed::game
