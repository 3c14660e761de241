#pragma once

// Blocks served the way a game engine's binned allocator serves them, for
// the lean mode of the game's allocator: a request of up to 1,024 bytes
// takes a block of its size class (multiples of 16) from that class's free
// list, carved out of 64 KiB chunks; a larger one comes from the process
// heap. Each block keeps its class in a 16-byte header before it, so that a
// resize within the class stays in place and a small block's release needs
// no search (a large one is found in the list of large blocks).
// Blocks are aligned to 16. One thread at a time, as the game's own.
//
//   Allocate(0)  -> a block of the 16-byte class
//   Resize(b, n) -> b itself while n is in b's class, else a new block
//                   with b's contents up to the smaller size, b released

#include <array>
#include <cstddef>
#include <vector>

namespace dravelquin::testbed {

class BinnedHeap {
 public:
  BinnedHeap() = default;
  BinnedHeap(const BinnedHeap&) = delete;
  BinnedHeap& operator=(const BinnedHeap&) = delete;
  ~BinnedHeap() { ReleaseAll(); }

  // A block of at least `bytes`, or null when the process heap has no room.
  void* Allocate(std::size_t bytes);
  // `block` (from Allocate) with room for `bytes` and its contents kept up to
  // the smaller size; null, the block left as it was, when there is no room.
  void* Resize(void* block, std::size_t bytes);
  void Release(void* block);
  // Gives every chunk and large block back to the process heap at once; no
  // block handed out before may be used after.
  void ReleaseAll();

 private:
  static constexpr std::size_t kClasses = 64;  // 16, 32, ... 1,024 bytes

  void* Carve(std::size_t size_class);

  std::array<void*, kClasses + 1> free_lists_{};  // by class; 0 is unused
  std::vector<void*> chunks_;
  char* chunk_cursor_ = nullptr;
  char* chunk_end_ = nullptr;
  std::vector<void*> large_blocks_;  // kept for ReleaseAll, unordered
};

}  // namespace dravelquin::testbed
