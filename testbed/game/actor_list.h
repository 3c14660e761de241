#pragma once

// The world's actor list: creatures, and null entries, in the order they
// entered the world. Taking a creature out and asking whether it is there
// cost the same in a world of a hundred creatures as in one of a hundred
// thousand, so spawning and destroying never walk the world.

#include <iterator>
#include <list>
#include <unordered_map>

#include "game/game_objects.h"

namespace dravelquin::testbed::game {

class ActorList {
 public:
  // Puts the actor, which may be null, at the end. A creature is in the list
  // at most once.
  void Append(GameCreature* actor) {
    entries_.push_back(actor);
    if (actor != nullptr) {
      positions_[actor] = std::prev(entries_.end());
    }
  }

  // Takes the creature out; false for null or a creature not in the list.
  bool Remove(const GameCreature* creature) {
    const auto found = positions_.find(creature);
    if (found == positions_.end()) {
      return false;
    }
    entries_.erase(found->second);
    positions_.erase(found);
    return true;
  }

  bool Contains(const GameCreature* creature) const { return positions_.count(creature) != 0; }

  // The entries in order, null entries included.
  std::list<GameCreature*>::const_iterator begin() const { return entries_.begin(); }
  std::list<GameCreature*>::const_iterator end() const { return entries_.end(); }

  void Clear() {
    entries_.clear();
    positions_.clear();
  }

 private:
  std::list<GameCreature*> entries_;
  std::unordered_map<const GameCreature*, std::list<GameCreature*>::iterator> positions_;
};

}  // namespace dravelquin::testbed::game
