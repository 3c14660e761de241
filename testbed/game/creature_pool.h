#pragma once

// The game's creatures in memory: a record per creature, made in chunks and
// given back one by one when the game collects it, so that a creature costs
// its record's size and a world that spawns and loses creatures for months
// reuses the same memory. The chunks are aligned to their size, so that any
// address is found to be a creature's, or not, without a table per creature.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "game/game_objects.h"

namespace dravelquin::testbed::game {

// A creature as the game holds it. The creature is the record's first
// member, so that each is found from the other.
struct CreatureRecord {
  GameCreature memory;
  std::size_t position = 0;  // its entry in the world's list, while in the world
  bool in_world = false;
  bool collected = false;  // given back to the pool: no creature of the game
};

class CreaturePool {
 public:
  CreaturePool() = default;
  CreaturePool(const CreaturePool&) = delete;
  CreaturePool& operator=(const CreaturePool&) = delete;
  ~CreaturePool() { Clear(); }

  // A fresh record, every field at its default.
  CreatureRecord* Make();
  void GiveBack(CreatureRecord* record);
  // The record whose creature this is, or null for any other address and
  // for a record given back.
  CreatureRecord* Find(const void* creature) const;
  // Records made and not given back.
  std::size_t Held() const { return held_; }
  void Clear();

 private:
  static constexpr std::size_t kChunkBytes = std::size_t{64} * 1024;
  static constexpr std::size_t kChunkRecords = kChunkBytes / sizeof(CreatureRecord);

  struct Chunk {
    std::uintptr_t start;
    CreatureRecord* records;
  };

  std::vector<Chunk> chunks_;             // by start address
  CreatureRecord* last_chunk_ = nullptr;  // the chunk records are carved from
  std::size_t carved_ = kChunkRecords;    // records carved from it
  std::vector<CreatureRecord*> given_back_;
  std::size_t held_ = 0;
};

}  // namespace dravelquin::testbed::game
