#include "game/actor_list.h"

namespace dravelquin::testbed::game {

namespace {

// What a gap in the list holds: the address of an object that no list ever
// holds as an actor.
GameCreature gap_marker;

GameCreature* Gap() { return &gap_marker; }

// Gaps are closed up only once there are this many, so that a small world
// does not rebuild its list at every other removal.
constexpr std::size_t kGapsWorthClosing = 64;

CreatureRecord* RecordOf(GameCreature* creature) {
  return reinterpret_cast<CreatureRecord*>(creature);
}

}  // namespace

ActorList::Iterator::Iterator(pointer at, pointer end) : at_(at), end_(end) { SkipGaps(); }

ActorList::Iterator& ActorList::Iterator::operator++() {
  ++at_;
  SkipGaps();
  return *this;
}

void ActorList::Iterator::SkipGaps() {
  while (at_ != end_ && *at_ == Gap()) {
    ++at_;
  }
}

void ActorList::Append(CreatureRecord* record) {
  if (record != nullptr) {
    record->position = entries_.size();
    record->in_world = true;
  }
  entries_.push_back(record == nullptr ? nullptr : &record->memory);
}

void ActorList::Remove(CreatureRecord* record) {
  entries_[record->position] = Gap();
  record->in_world = false;
  ++gaps_;
  if (gaps_ >= kGapsWorthClosing && gaps_ * 2 >= entries_.size()) {
    CloseGaps();
  }
}

ActorList::Iterator ActorList::begin() const {
  return Iterator(entries_.data(), entries_.data() + entries_.size());
}

ActorList::Iterator ActorList::end() const {
  const auto end = entries_.data() + entries_.size();
  return Iterator(end, end);
}

void ActorList::Clear() {
  std::vector<GameCreature*>().swap(entries_);
  gaps_ = 0;
}

void ActorList::CloseGaps() {
  std::size_t kept = 0;
  for (GameCreature* entry : entries_) {
    if (entry == Gap()) {
      continue;
    }
    if (entry != nullptr) {
      RecordOf(entry)->position = kept;
    }
    entries_[kept++] = entry;
  }
  entries_.resize(kept);
  gaps_ = 0;
}

}  // namespace dravelquin::testbed::game
