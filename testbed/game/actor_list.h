#pragma once

// The world's actor list: creatures, and null entries, in the order they
// entered the world. A creature's record holds its place in the list, so
// that taking it out and asking whether it is there cost the same in a world
// of a hundred creatures as in one of a hundred thousand, and spawning and
// destroying never walk the world. A creature taken out leaves a gap, which
// the list's iterators pass over, until gaps make up half the list and it
// closes them up.

#include <cstddef>
#include <iterator>
#include <vector>

#include "game/creature_pool.h"
#include "game/game_objects.h"

namespace dravelquin::testbed::game {

class ActorList {
 public:
  // Walks the entries in order, passing over gaps.
  class Iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = GameCreature*;
    using difference_type = std::ptrdiff_t;
    using pointer = GameCreature* const*;
    using reference = GameCreature* const&;

    Iterator(pointer at, pointer end);
    reference operator*() const { return *at_; }
    Iterator& operator++();
    Iterator operator++(int) {
      Iterator before = *this;
      ++*this;
      return before;
    }
    bool operator==(const Iterator& other) const { return at_ == other.at_; }
    bool operator!=(const Iterator& other) const { return at_ != other.at_; }

   private:
    void SkipGaps();

    pointer at_;
    pointer end_;
  };

  // Puts the creature of a record not in the world at the end, or a null
  // entry for null.
  void Append(CreatureRecord* record);
  // Takes out the creature of a record in the world.
  void Remove(CreatureRecord* record);

  // The entries in order, null entries included.
  Iterator begin() const;
  Iterator end() const;

  void Clear();

 private:
  void CloseGaps();

  std::vector<GameCreature*> entries_;  // a gap holds Gap()
  std::size_t gaps_ = 0;
};

}  // namespace dravelquin::testbed::game
