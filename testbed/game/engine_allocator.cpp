#include "game/engine_allocator.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "game/aligned_memory.h"
#include "game/binned_heap.h"

namespace dravelquin::testbed {

namespace {

constexpr std::uint32_t kDefaultAlignment = 16;
constexpr unsigned char kFreshByte = 0xCD;
constexpr unsigned char kFreedByte = 0xDD;

struct Block {
  std::size_t bytes;
  std::uint32_t alignment;
};

struct Accounts {
  AllocatorMode mode = AllocatorMode::kAccounting;
  std::size_t lean_live_blocks = 0;
  std::vector<AllocatorCall> calls;
  AllocatorCallCounts counts;
  bool recording = true;
  std::unordered_map<void*, Block> live;
  std::unordered_set<void*> freed;  // handed out once, since freed; kept while recording
  std::size_t live_bytes = 0;
  std::vector<std::string> errors;
  std::size_t calls_until_failure = 0;  // 0: no failure pending
};

// The allocator's state, and below the lean mode's heap, are plain objects
// rather than function-local statics: the game first allocates long after
// static initialisation, and a guarded static's check at every call is a
// cost no engine's allocator has.
Accounts accounts;

Accounts& Books() { return accounts; }

std::string Address(const void* block) {
  std::ostringstream text;
  text << "0x" << std::hex << reinterpret_cast<std::uintptr_t>(block);
  return text.str();
}

void Count(AllocatorCallKind kind) {
  AllocatorCallCounts& counts = Books().counts;
  switch (kind) {
    case AllocatorCallKind::kMalloc:
      ++counts.mallocs;
      break;
    case AllocatorCallKind::kRealloc:
      ++counts.reallocs;
      break;
    case AllocatorCallKind::kFree:
      ++counts.frees;
      break;
  }
}

void Record(AllocatorCallKind kind, std::size_t bytes, void* in, void* out) {
  Count(kind);
  if (Books().recording) {
    Books().calls.push_back(AllocatorCall{kind, bytes, in, out});
  }
}

void RecordError(const std::string& error) { Books().errors.push_back(error); }

bool InjectedFailureDue(Accounts& books) {
  return books.calls_until_failure != 0 && --books.calls_until_failure == 0;
}

std::uint32_t CheckedAlignment(std::uint32_t alignment) {
  if (alignment == 0) {
    return kDefaultAlignment;
  }
  if ((alignment & (alignment - 1)) != 0) {
    RecordError("Malloc with an alignment that is not a power of two: " +
                std::to_string(alignment));
    return kDefaultAlignment;
  }
  return std::max(alignment, kDefaultAlignment);
}

// What AllocateAligned is asked for: at least one byte, a multiple of the alignment.
std::size_t RoundedSize(std::size_t bytes, std::uint32_t alignment) {
  return (std::max<std::size_t>(bytes, 1) + alignment - 1) / alignment * alignment;
}

void* Obtain(std::size_t bytes, std::uint32_t alignment) {
  const std::size_t rounded = RoundedSize(bytes, alignment);
  void* block = AllocateAligned(alignment, rounded);
  if (block == nullptr) {
    return nullptr;
  }
  std::memset(block, kFreshByte, rounded);
  Accounts& books = Books();
  books.live.emplace(block, Block{bytes, alignment});
  books.freed.erase(block);
  books.live_bytes += bytes;
  return block;
}

void Release(void* block) {
  Accounts& books = Books();
  const auto found = books.live.find(block);
  std::memset(block, kFreedByte, found->second.bytes);
  books.live_bytes -= found->second.bytes;
  books.live.erase(found);
  if (books.recording) {
    books.freed.insert(block);
  }
  FreeAligned(block);
}

// Names what is wrong with handing `block` back, or "" when it is live.
std::string MisuseOf(const void* block, const char* call) {
  Accounts& books = Books();
  if (books.live.count(const_cast<void*>(block)) != 0) {
    return "";
  }
  const bool was_freed = books.freed.count(const_cast<void*>(block)) != 0;
  return std::string(call) +
         (was_freed ? " of a block already freed: " : " of a block never handed out: ") +
         Address(block);
}

// Lean mode: blocks from a binned heap as a game engine's allocator serves
// them, each call counted, only the number of live blocks kept.
BinnedHeap lean_heap;

BinnedHeap& LeanHeap() { return lean_heap; }

void* LeanObtain(Accounts& books, std::size_t bytes) {
  void* block = LeanHeap().Allocate(bytes);
  if (block != nullptr) {
    ++books.lean_live_blocks;
  }
  return block;
}

void LeanRelease(Accounts& books, void* block) {
  LeanHeap().Release(block);
  --books.lean_live_blocks;
}

void* LeanMalloc(Accounts& books, std::size_t bytes, std::uint32_t alignment) {
  ++books.counts.mallocs;
  if (CheckedAlignment(alignment) != kDefaultAlignment) {
    RecordError("lean Malloc with an alignment above " + std::to_string(kDefaultAlignment) + ": " +
                std::to_string(alignment));
    return nullptr;
  }
  return InjectedFailureDue(books) ? nullptr : LeanObtain(books, bytes);
}

void* LeanRealloc(Accounts& books, void* block, std::size_t bytes) {
  ++books.counts.reallocs;
  if (InjectedFailureDue(books)) {
    return nullptr;
  }
  if (block == nullptr) {
    return LeanObtain(books, bytes);
  }
  if (bytes == 0) {
    LeanRelease(books, block);
    return nullptr;
  }
  return LeanHeap().Resize(block, bytes);
}

void LeanFree(Accounts& books, void* block) {
  ++books.counts.frees;
  if (block != nullptr) {
    LeanRelease(books, block);
  }
}

}  // namespace

void* EngineMalloc(std::size_t bytes, std::uint32_t alignment) {
  Accounts& books = Books();
  if (books.mode == AllocatorMode::kLean) {
    return LeanMalloc(books, bytes, alignment);
  }
  const std::uint32_t checked = CheckedAlignment(alignment);
  void* block = InjectedFailureDue(Books()) ? nullptr : Obtain(bytes, checked);
  Record(AllocatorCallKind::kMalloc, bytes, nullptr, block);
  return block;
}

void* EngineRealloc(void* block, std::size_t bytes) {
  Accounts& books = Books();
  if (books.mode == AllocatorMode::kLean) {
    return LeanRealloc(books, block, bytes);
  }
  if (block != nullptr) {
    const std::string misuse = MisuseOf(block, "Realloc");
    if (!misuse.empty()) {
      RecordError(misuse);
      Record(AllocatorCallKind::kRealloc, bytes, block, nullptr);
      return nullptr;
    }
  }
  if (InjectedFailureDue(Books())) {
    Record(AllocatorCallKind::kRealloc, bytes, block, nullptr);
    return nullptr;
  }
  if (block == nullptr) {
    void* fresh = Obtain(bytes, kDefaultAlignment);
    Record(AllocatorCallKind::kRealloc, bytes, nullptr, fresh);
    return fresh;
  }
  const Block old = Books().live.at(block);
  void* moved = nullptr;
  if (bytes != 0) {
    moved = Obtain(bytes, old.alignment);
    if (moved == nullptr) {
      Record(AllocatorCallKind::kRealloc, bytes, block, nullptr);
      return nullptr;
    }
    std::memcpy(moved, block, std::min(bytes, old.bytes));
  }
  Release(block);
  Record(AllocatorCallKind::kRealloc, bytes, block, moved);
  return moved;
}

void EngineFree(void* block) {
  Accounts& books = Books();
  if (books.mode == AllocatorMode::kLean) {
    LeanFree(books, block);
    return;
  }
  Record(AllocatorCallKind::kFree, 0, block, nullptr);
  if (block == nullptr) {
    return;
  }
  const std::string misuse = MisuseOf(block, "Free");
  if (!misuse.empty()) {
    RecordError(misuse);
    return;
  }
  Release(block);
}

const std::vector<AllocatorCall>& AllocatorCalls() { return Books().calls; }

AllocatorCallCounts CountAllocatorCalls() { return Books().counts; }

void RecordAllocatorCalls(bool on) { Books().recording = on; }

std::size_t LiveBlockCount() {
  const Accounts& books = Books();
  return books.mode == AllocatorMode::kLean ? books.lean_live_blocks : books.live.size();
}

std::size_t LiveBytes() { return Books().live_bytes; }

std::size_t LiveBlockSize(const void* block) {
  if (Books().mode == AllocatorMode::kLean) {
    return 0;
  }
  const auto found = Books().live.find(const_cast<void*>(block));
  return found == Books().live.end() ? 0 : found->second.bytes;
}

std::vector<std::string> AllocatorErrors() { return Books().errors; }

std::vector<std::string> TakeAllocatorErrors() { return std::exchange(Books().errors, {}); }

void FailAllocation(std::size_t nth) { Books().calls_until_failure = nth; }

void SetAllocatorMode(AllocatorMode mode) {
  if (LiveBlockCount() != 0) {
    throw std::logic_error("the allocator's mode changes only while no block is live");
  }
  LeanHeap().ReleaseAll();
  Books().mode = mode;
}

AllocatorMode CurrentAllocatorMode() { return Books().mode; }

void ResetAllocator() {
  Accounts& books = Books();
  for (const auto& [block, info] : books.live) {
    FreeAligned(block);
  }
  LeanHeap().ReleaseAll();
  books = Accounts{};
}

}  // namespace dravelquin::testbed
