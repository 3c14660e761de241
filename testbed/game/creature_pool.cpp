#include "game/creature_pool.h"

#include <algorithm>
#include <new>
#include <type_traits>

#include "game/aligned_memory.h"

namespace dravelquin::testbed::game {

static_assert(std::is_standard_layout_v<CreatureRecord>, "a creature's address is its record's");
static_assert(std::is_trivially_destructible_v<CreatureRecord>, "chunks are freed whole");

CreatureRecord* CreaturePool::Make() {
  CreatureRecord* record = nullptr;
  if (!given_back_.empty()) {
    record = given_back_.back();
    given_back_.pop_back();
    *record = CreatureRecord{};
  } else {
    if (carved_ == kChunkRecords) {
      void* memory = AllocateAligned(kChunkBytes, kChunkBytes);
      if (memory == nullptr) {
        throw std::bad_alloc();
      }
      const Chunk chunk{reinterpret_cast<std::uintptr_t>(memory),
                        static_cast<CreatureRecord*>(memory)};
      chunks_.insert(
          std::upper_bound(chunks_.begin(), chunks_.end(), chunk,
                           [](const Chunk& a, const Chunk& b) { return a.start < b.start; }),
          chunk);
      last_chunk_ = chunk.records;
      carved_ = 0;
    }
    record = new (&last_chunk_[carved_++]) CreatureRecord{};
  }
  ++held_;
  return record;
}

void CreaturePool::GiveBack(CreatureRecord* record) {
  record->collected = true;
  given_back_.push_back(record);
  --held_;
}

CreatureRecord* CreaturePool::Find(const void* creature) const {
  const auto address = reinterpret_cast<std::uintptr_t>(creature);
  const std::uintptr_t start = address & ~static_cast<std::uintptr_t>(kChunkBytes - 1);
  const auto found =
      std::lower_bound(chunks_.begin(), chunks_.end(), start,
                       [](const Chunk& chunk, std::uintptr_t at) { return chunk.start < at; });
  if (found == chunks_.end() || found->start != start) {
    return nullptr;
  }
  const std::uintptr_t offset = address - start;
  const std::size_t index = offset / sizeof(CreatureRecord);
  const std::size_t carved = found->records == last_chunk_ ? carved_ : kChunkRecords;
  if (offset % sizeof(CreatureRecord) != 0 || index >= carved) {
    return nullptr;
  }
  CreatureRecord* record = &found->records[index];
  return record->collected ? nullptr : record;
}

void CreaturePool::Clear() {
  for (const Chunk& chunk : chunks_) {
    FreeAligned(chunk.records);
  }
  std::vector<Chunk>().swap(chunks_);
  std::vector<CreatureRecord*>().swap(given_back_);
  last_chunk_ = nullptr;
  carved_ = kChunkRecords;
  held_ = 0;
}

}  // namespace dravelquin::testbed::game
