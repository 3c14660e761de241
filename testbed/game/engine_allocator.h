#pragma once

// The game's allocator behind "FMemory.Malloc", "FMemory.Realloc" and
// "FMemory.Free", in one of two modes:
//   - accounting (the default): every call is recorded, live blocks and bytes
//     are counted, and misuse is recorded as an error instead of corrupting
//     the process. Fresh bytes are filled with 0xCD and freed bytes with 0xDD,
//     and Realloc always moves the block, so stale pointers and reads of
//     unwritten memory show up.
//   - lean, for benchmarks: blocks come from a binned heap (binned_heap.h),
//     as a game engine's own allocator serves them, and the calls are counted
//     per kind, with no per-block bookkeeping, which costs about what a
//     server's own allocator does. Only the number of live blocks is kept;
//     misuse is not detected, and an alignment above 16 is refused.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dravelquin::testbed {

enum class AllocatorCallKind { kMalloc, kRealloc, kFree };

struct AllocatorCall {
  AllocatorCallKind kind;
  std::size_t bytes;  // 0 for Free
  void* block_in;     // null for Malloc
  void* block_out;    // null for Free and for a failed or freeing Realloc
};

// A block of at least `bytes` (a unique block for 0), aligned to `alignment`
// (0 means 16). Null when an injected failure is due.
void* EngineMalloc(std::size_t bytes, std::uint32_t alignment);
// Moves the block to a new one of `bytes`, keeping the contents up to the
// smaller size. A null block allocates; 0 bytes frees the block and gives
// null. A block that is not live is recorded as an error and gives null;
// so does an injected failure, which leaves the old block live.
void* EngineRealloc(void* block, std::size_t bytes);
// Frees a live block. Null does nothing; a block that was freed already or
// never handed out is recorded as an error and left alone.
void EngineFree(void* block);

// Every call since the last reset, in order, while calls are recorded.
const std::vector<AllocatorCall>& AllocatorCalls();

// Calls since the last reset, per kind, counted whether recorded or not.
struct AllocatorCallCounts {
  std::uint64_t mallocs = 0;
  std::uint64_t reallocs = 0;
  std::uint64_t frees = 0;
};
AllocatorCallCounts CountAllocatorCalls();

// Whether each call is kept in AllocatorCalls(): on after a reset. Runs of
// millions of calls turn it off and read the counts instead; live blocks,
// bytes and misuse are accounted for either way, except that a block freed
// while the record is off is forgotten, so that freeing it again is
// reported as a block never handed out.
void RecordAllocatorCalls(bool on);

std::size_t LiveBlockCount();
std::size_t LiveBytes();
// Size of a live block, or 0 when the block is not live.
std::size_t LiveBlockSize(const void* block);

// Misuse recorded since the last reset (double free, free or realloc of an
// unknown block, bad alignment), oldest first.
std::vector<std::string> AllocatorErrors();
// The errors recorded so far; forgets them.
std::vector<std::string> TakeAllocatorErrors();

// Makes the nth Malloc or Realloc call from now (1 = the next) give null.
// 0 cancels a pending failure.
void FailAllocation(std::size_t nth);

enum class AllocatorMode { kAccounting, kLean };

// Serves the calls from now on in `mode`. Raises std::logic_error while a
// block is live, since a block must be given back in the mode that gave it.
// In lean mode no call is recorded, LiveBlockCount() is the number of blocks
// handed out and not given back, LiveBytes() and LiveBlockSize() give 0, and
// a Malloc asking for more than the default alignment of 16 is refused (null,
// and an error recorded), since a lean Realloc keeps only that alignment.
void SetAllocatorMode(AllocatorMode mode);
AllocatorMode CurrentAllocatorMode();

// Frees every live block (in lean mode: the whole binned heap), forgets the calls,
// counts, errors and pending failure, records calls again and returns to
// accounting mode.
void ResetAllocator();

}  // namespace dravelquin::testbed
