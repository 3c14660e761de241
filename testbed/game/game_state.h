#pragma once

// The game's state, shared by its natives, its world and its players.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "game/actor_list.h"
#include "game/creature_pool.h"
#include "game/game_objects.h"
#include "game/game_world.h"

namespace dravelquin::testbed::game {

// A class with its default object, whose full name is the kind's text.
struct KindRecord {
  GameClass klass;
  GameObject default_object;
  std::u16string full_name;
};

// The game's record of the calls of one of its functions: every call, or,
// once bounded, only the latest ones (at most twice the bound in memory),
// and the number of calls either way.
template <typename Entry>
class CallJournal {
 public:
  void Add(const Entry& entry) {
    ++total_;
    entries_.push_back(entry);
    if (most_ != 0 && entries_.size() >= 2 * most_) {
      entries_.erase(entries_.begin(), entries_.end() - static_cast<std::ptrdiff_t>(most_));
    }
  }
  // The calls kept, oldest first: all of them, or the latest `most`.
  std::vector<Entry> Kept() const {
    if (most_ == 0 || entries_.size() <= most_) {
      return entries_;
    }
    return std::vector<Entry>(entries_.end() - static_cast<std::ptrdiff_t>(most_), entries_.end());
  }
  std::uint64_t Total() const { return total_; }
  // Keeps only the latest `most` calls from now on; 0 keeps every one.
  void Bound(std::size_t most) { most_ = most; }
  // Forgets the calls kept; the total stays.
  void Forget() { std::vector<Entry>().swap(entries_); }
  void Clear() {
    Forget();
    total_ = 0;
    most_ = 0;
  }

 private:
  std::vector<Entry> entries_;
  std::uint64_t total_ = 0;
  std::size_t most_ = 0;
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
  // Every creature made since the reset and not collected; destroyed ones
  // stay in memory, as the engine keeps destroyed actors until it collects
  // them.
  CreaturePool creatures;
  // The creatures that left the world since the last collection.
  std::vector<CreatureRecord*> departed;
  // Departed creatures that make the game collect them by itself, as it
  // makes the next creature; 0: only when asked.
  std::size_t collect_at = 0;
  // The creatures' descriptive names, each kept once: a creature points at
  // its name here.
  std::unordered_set<std::u16string> names;
  ActorList actors;  // the world's list, in order; may hold null
  std::vector<std::unique_ptr<PlayerRecord>> players;
  CallJournal<DestroyCall> destroy_calls;
  DefaultObjectRequests default_object_requests;
  std::uint64_t actor_queries = 0;
  CallJournal<const GameCreature*> own_base_level_calls;
  CallJournal<InitGameCall> own_init_game_calls;
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

// The descriptive name as the game keeps it, for a creature to point at.
const std::u16string* KeptName(const std::u16string& name);

// Whether the creature (any address) is one of the game's in its world.
bool InTheWorld(const void* creature);

// Takes the creature (any address) out of the world's list and notes it for
// collection; false when it was not there.
bool TakeOutOfWorld(const void* creature);

// Gives the departed creatures' records back to the pool.
void CollectDeparted();

// Wires a kind record's class and default object to each other.
std::unique_ptr<KindRecord> MakeKindRecord(const std::u16string& full_name);

// The record behind the creature class, which lives as long as the process.
KindRecord& CreatureClassRecord();

// Forgets everything the world, the players and the records hold.
void ClearState();

// Registers the natives and fields with the host.
void RegisterNativesAndFields();

}  // namespace dravelquin::testbed::game
